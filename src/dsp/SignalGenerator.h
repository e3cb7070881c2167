#pragma once
// The samples of the generator's functions.
#include <cstdint>

#include "dsp/GeneratorParameters.h"

// Sine, cosine and steps swing between the minimum and the maximum with the period P = sample rate /
// frequency; random values are integers from the minimum up; the window shapes are TapWindow's, not
// normalised.
class SignalGenerator {
public:
    // 2π as the generator has always taken it.
    static constexpr long double TwoPi = 6.2831853072L;

    // Writes parameters.sampleCount() values of usable parameters. The random values come from a
    // 31-bit generator started from `seed`, so the same seed gives the same signal. A window shape
    // needs a work block of its length: throws std::bad_alloc when it cannot be had.
    static void generate(const GeneratorParameters& parameters, uint32_t seed, float* out);
};
