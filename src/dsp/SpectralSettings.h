#pragma once
// The seventeen spectral-analysis options, in the order windows copy them as one block.
#include <cstdint>

// The spectrum type (the field `type`): each computation alone, or the average over the last `average` ones.
namespace SpectrumType {
constexpr int32_t Instantaneous = 0;
constexpr int32_t Averaged = 1;
}  // namespace SpectrumType

struct SpectralSettings {
    int32_t doNormalize = 0;
    int32_t doRemoveLinTrend = 0;
    int32_t removePeaksVal = 0;
    int32_t doRemovePeaks = 0;
    int32_t taperVal = 0;
    int32_t doTaper = 0;
    int32_t expandWithZerosVal = 0;
    int32_t doExpandWithZeros = 0;
    int32_t show = 0;
    int32_t smoothWindow = 0;
    int32_t smoothLen = 0;
    int32_t doSmooth = 0;
    int32_t doTestPeaks = 0;
    int32_t testPeaksLevel = 0;
    int32_t window = 0;
    int32_t type = 0;
    int32_t average = 0;

    bool operator==(const SpectralSettings&) const = default;
};
