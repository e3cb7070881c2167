#include "dsp/FftRealPacking.h"

#include <emmintrin.h>

void fftPackReal(const float* samples, std::size_t n, float* re, float* im)
{
    std::size_t j = 0;
    for (; j + 4 <= n; j += 4) {
        const __m128 low = _mm_loadu_ps(samples + 2 * j);
        const __m128 high = _mm_loadu_ps(samples + 2 * j + 4);
        _mm_storeu_ps(re + j, _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_ps(im + j, _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1)));
    }
    for (; j < n; ++j) {
        re[j] = samples[2 * j];
        im[j] = samples[2 * j + 1];
    }
}

void fftUnpackReal(const float* re, const float* im, std::size_t n, float* samples)
{
    std::size_t j = 0;
    for (; j + 4 <= n; j += 4) {
        const __m128 r = _mm_loadu_ps(re + j);
        const __m128 i = _mm_loadu_ps(im + j);
        _mm_storeu_ps(samples + 2 * j, _mm_unpacklo_ps(r, i));
        _mm_storeu_ps(samples + 2 * j + 4, _mm_unpackhi_ps(r, i));
    }
    for (; j < n; ++j) {
        samples[2 * j] = re[j];
        samples[2 * j + 1] = im[j];
    }
}
