#include "dsp/SpectrumConditioning.h"

#include <algorithm>
#include <cmath>

#include <emmintrin.h>

#include "dsp/Interleaved.h"
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

namespace {
float conditioned(float x, double offset, const double* taper, std::size_t i)
{
    const float centred = float(x - offset);
    return taper ? float(centred * taper[i]) : centred;
}

// Four values at once, as conditioned() does them one by one.
[[gnu::always_inline]] inline __m128 conditioned4(__m128 x, __m128d offset, const double* taper)
{
    __m128d low = _mm_sub_pd(_mm_cvtps_pd(x), offset);
    __m128d high = _mm_sub_pd(_mm_cvtps_pd(_mm_movehl_ps(x, x)), offset);
    if (!taper)
        return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
    low = _mm_mul_pd(_mm_cvtps_pd(_mm_cvtpd_ps(low)), _mm_loadu_pd(taper));
    high = _mm_mul_pd(_mm_cvtps_pd(_mm_cvtpd_ps(high)), _mm_loadu_pd(taper + 2));
    return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
}
}  // namespace

void packConditioned(const float* block, std::size_t length, double offset, const double* taper, float* re,
                     float* im, std::size_t n)
{
    const __m128d offsets = _mm_set1_pd(offset);
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        const __m128 a = conditioned4(_mm_loadu_ps(block + i), offsets, taper ? taper + i : nullptr);
        const __m128 b = conditioned4(_mm_loadu_ps(block + i + 4), offsets, taper ? taper + i + 4 : nullptr);
        _mm_storeu_ps(re + i / 2, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_ps(im + i / 2, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
    for (; i < length; ++i)
        interleaved(re, im, i) = conditioned(block[i], offset, taper, i);
    // An odd block leaves its last point half filled.
    if (length % 2)
        im[length / 2] = 0;
    const std::size_t filled = (length + 1) / 2;
    if (filled < n) {
        std::fill(re + filled, re + n, 0.0f);
        std::fill(im + filled, im + n, 0.0f);
    }
}
