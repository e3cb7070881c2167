#include "dsp/SpectrumSize.h"

#include <algorithm>

uint32_t SpectrumSize::expansionExponent(const SpectralSettings& settings)
{
    return settings.doExpandWithZeros ? uint32_t(std::clamp(settings.expandWithZerosVal, 0, 2) + 1) : 0;
}

SpectrumSize SpectrumSize::of(uint32_t count, const SpectralSettings& settings)
{
    uint32_t k = 0;
    while ((std::size_t(1) << k) < count)
        ++k;
    SpectrumSize size;
    size.count = count;
    size.exponent = expansionExponent(settings);
    size.N = std::size_t(1) << (k + size.exponent);
    size.n = size.N / 2;
    return size;
}
