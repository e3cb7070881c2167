#include "dsp/FftFilter.h"

#include <algorithm>
#include <cmath>

#include "dsp/Interleaved.h"
#include "dsp/SpectrumConditioning.h"
#include "dsp/Statistics.h"

void FftFilter::maskBins(float* re, float* im, std::size_t n, long double rate, long double from,
                         long double to, int16_t type)
{
    const long double lowest = rate / (2 * n);
    const long double nyquist = rate / 2;
    from = std::clamp(from, lowest, nyquist);
    to = std::clamp(to, lowest, nyquist);
    // The filter's own bin scale: its band edges land one bin later than the spectrum's axis.
    const long double scale = n / (nyquist - rate / n);
    // A NaN edge (from a file) comes through the clamps; it counts as the lowest bin.
    const auto binIndex = [&](long double f) {
        const long double bin = std::trunc(scale * (f - lowest));
        return bin > 0 ? std::size_t(std::min(bin, (long double)n)) : std::size_t(0);
    };
    const std::size_t j = binIndex(from);
    const std::size_t k = binIndex(to);
    const auto zero = [&](std::size_t first, std::size_t last) {
        for (std::size_t b = first; b <= last; ++b)
            re[b] = im[b] = 0;
    };
    if (type == FilterType::BandStop) {
        zero(j + 1, k);
    } else {
        zero(1, j);
        zero(k + 1, n);
    }
}

bool FftFilter::run(const float* x, uint32_t c, long double rate, long double from, long double to, int16_t type,
                    float* result)
{
    if (c < MinimumCount)
        return false;
    const std::size_t n = powerOfTwoAtLeast(c) / 2;
    if (!transform_ || transform_->points() != n)
        transform_ = std::make_unique<RealTransformPair>(n);
    float* re = transform_->re();
    float* im = transform_->im();
    const long double mu = mean(x, c);
    packConditioned(x, c, double(mu), nullptr, re, im, n);
    transform_->forward();
    maskBins(re, im, n, rate, from, to, type);
    transform_->inverse();
    const float unscale = 1.0f / float(4 * n);
    for (uint32_t i = 0; i < c; ++i) {
        const float value = interleaved(re, im, i) * unscale;
        result[i] = float(value + mu);
    }
    return true;
}
