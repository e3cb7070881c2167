#include "dsp/Cepstrum.h"

#include <algorithm>
#include <cmath>

#include "dsp/FftRealPacking.h"
#include "dsp/Interleaved.h"
#include "dsp/RealTransformPair.h"

uint32_t cepstrumCount(uint32_t c)
{
    return uint32_t(powerOfTwoAtLeast(c) / 2);
}

bool cepstrum(const float* x, uint32_t c, float* result)
{
    const std::size_t n = cepstrumCount(c);
    if (n < 2)
        return false;
    RealTransformPair transform(n);
    float* re = transform.re();
    float* im = transform.im();
    const std::size_t pairs = c / 2;
    fftPackReal(x, pairs, re, im);
    std::fill(re + pairs, re + n + 1, 0.0f);
    std::fill(im + pairs, im + n + 1, 0.0f);
    transform.forward();
    for (std::size_t j = 0; j <= n; ++j) {
        const double magnitude = std::sqrt(double(re[j]) * re[j] + double(im[j]) * im[j]);
        re[j] = magnitude == 0 ? 0.0f : float(std::log10(magnitude));
        im[j] = 0;
    }
    transform.inverse();
    const float unscale = 1.0f / float(4 * n);
    // y[i] is re[i / 2] for even i and im[i / 2] for odd i; the cepstrum starts at y[1].
    for (std::size_t i = 1; i <= n; ++i)
        result[i - 1] = interleaved(re, im, i) * unscale;
    return true;
}
