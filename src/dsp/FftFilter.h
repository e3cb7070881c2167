#pragma once
// Filters a block by zeroing bins of its transform.
#include <cstdint>
#include <memory>

#include "dsp/RealTransformPair.h"

// Filter types as the filter dialog numbers them.
namespace FilterType {
constexpr int16_t BandStop = 1;
constexpr int16_t BandPass = 2;
constexpr int16_t LowPass = 3;
constexpr int16_t HighPass = 4;
}  // namespace FilterType

// The block less its mean, padded with zeros to N = 2^k ≥ c samples, transformed, masked, transformed back
// and given its mean again. Keeps its transforms for the next block of the same length.
class FftFilter {
public:
    // Four points at least: with fewer the bin scale n / (R/2 − R/n) divides by zero.
    static constexpr uint32_t MinimumCount = 5;

    // The c filtered values into result; false (nothing written) when c < MinimumCount.
    // from and to are clamped to the band [R/N, R/2]; band stop zeros the bins between them,
    // every other type the bins outside.
    bool run(const float* x, uint32_t c, long double rate, long double from, long double to, int16_t type,
             float* result);

    // Bins 1 … n (in bin numbers, 0 the mean) outside or inside the band are zeroed in re and im.
    static void maskBins(float* re, float* im, std::size_t n, long double rate, long double from, long double to,
                         int16_t type);

private:
    std::unique_ptr<RealTransformPair> transform_;
};
