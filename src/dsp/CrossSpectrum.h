#pragma once
// The calculator's two-signal spectral measures of the result so far x and an operand y.
#include <cstddef>

#include "dsp/SpectralSettings.h"

// Cross spectrum ('S'), relative spectrum in dBr ('D'), coherence ('C'), gain ('G') and phase shift ('P').
class CrossSpectrum {
public:
    // The m = N / 2 values the measure gives, N the power of two at least min(xCount, yCount);
    // 0 when fewer than 3 values are common to both (no frequency axis can be made of them).
    static std::size_t outputCount(std::size_t xCount, std::size_t yCount);

    // The quantity and unit of the measure `code` gives under `settings`, as a Y axis title of at most
    // 19 characters; empty for a code that is not one of the five.
    static const char* unit(char code, const SpectralSettings& settings);

    // Both conditioned under `settings` and transformed; bins 1 … m of the measure into out[0 … m − 1].
    // Returns m. Throws std::bad_alloc when the work arrays cannot be had.
    static std::size_t compute(char code, const float* x, std::size_t xCount, const float* y, std::size_t yCount,
                               const SpectralSettings& settings, float* out);
};
