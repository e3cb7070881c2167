#pragma once
// The transform sizes for a block of L samples.
#include <cstddef>
#include <cstdint>

#include "dsp/SpectralSettings.h"

// N = 2^(k + z) real samples, the smallest power of two k not below L times the zero expansion 2^z, and n =
// N / 2 complex points. The spectrum shows bins 1 … n, the first at rate / N and the last at the Nyquist
// frequency.
struct SpectrumSize {
    uint32_t count = 0;     // L
    uint32_t exponent = 0;  // z: 0 without expansion, expansion value + 1 with it
    std::size_t N = 0;
    std::size_t n = 0;

    static SpectrumSize of(uint32_t count, const SpectralSettings& settings);
    // z for these settings; an expansion value outside 0 … 2 counts as the nearest of them.
    static uint32_t expansionExponent(const SpectralSettings& settings);

    // Frequency of bin 1, the spectrum's X offset.
    long double xOffset(long double sampleRate) const { return sampleRate / N; }
    // Bins per hertz, the spectrum's sample rate.
    long double binRate(long double sampleRate) const { return (n - 1) / (sampleRate / 2 - sampleRate / N); }
};
