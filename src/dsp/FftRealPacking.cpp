#include "dsp/FftRealPacking.h"

#include <emmintrin.h>

#include "dsp/FftKernelTable.h"

void fftPackReal(const float* samples, std::size_t n, float* re, float* im)
{
    fftKernelTable(fftFastestKernel()).packReal(samples, n, re, im);
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
