#include "dsp/SpectrumConditioning.h"

#include <algorithm>
#include <cmath>

#include "dsp/SpectrumKernels.h"
#include "dsp/Statistics.h"

void removeLinearTrend(float* values, std::size_t count)
{
    const long double mu = mean(values, count);
    // One value (or none) has no slope; its line is its mean.
    if (count < 2) {
        for (std::size_t i = 0; i < count; ++i)
            values[i] = float(values[i] - mu);
        return;
    }
    const long double c = count;
    const long double twiceNorm = 2 * std::sqrt((c * c * c - c) * 0.083333333333333333336L);
    const auto ramp = [&](std::size_t i) { return (2 * (long double)i - c + 1) / twiceNorm; };
    double beta = 0;
    for (std::size_t i = 0; i < count; ++i)
        beta += double(values[i] * ramp(i));
    for (std::size_t i = 0; i < count; ++i)
        values[i] = float(values[i] - (beta * ramp(i) + mu));
}

void removePeaks(float* values, std::size_t count, double k)
{
    const long double mu = mean(values, count);
    const long double limit = k * standardDeviation(values, count);
    for (std::size_t i = 0; i < count; ++i)
        if (!(std::fabs(values[i] - mu) <= limit))
            values[i] = float(mu);
}

void packConditioned(const float* block, std::size_t length, double offset, const double* taper, float* re,
                     float* im, std::size_t n)
{
    spectrumKernels().pack(block, length, offset, taper, re, im);
    // An odd block leaves its last point half filled.
    if (length % 2)
        im[length / 2] = 0;
    const std::size_t filled = (length + 1) / 2;
    if (filled < n) {
        std::fill(re + filled, re + n, 0.0f);
        std::fill(im + filled, im + n, 0.0f);
    }
}
