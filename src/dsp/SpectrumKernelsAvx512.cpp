// Built with AVX-512F (and without contraction into fused multiply-adds); run only where it is present.
#include <immintrin.h>

#include "dsp/SpectrumKernels.h"
#include "dsp/SpectrumKernelSteps.h"

extern const SpectrumKernels spectrumAvx512Kernels;

namespace {

__m256 lowHalf(__m512 x) { return _mm512_castps512_ps256(x); }
__m256 highHalf(__m512 x) { return _mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(x), 1)); }
__m512 joined(__m256 low, __m256 high)
{
    return _mm512_castpd_ps(_mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(low)), _mm256_castps_pd(high), 1));
}

// Sixteen values at once, as conditionedValue does them one by one.
template <bool Tapered>
[[gnu::always_inline]] inline __m512 conditioned16(__m512 x, __m512d offset, const double* taper, std::size_t i)
{
    __m512d low = _mm512_sub_pd(_mm512_cvtps_pd(lowHalf(x)), offset);
    __m512d high = _mm512_sub_pd(_mm512_cvtps_pd(highHalf(x)), offset);
    if constexpr (Tapered) {
        low = _mm512_mul_pd(_mm512_cvtps_pd(_mm512_cvtpd_ps(low)), _mm512_loadu_pd(taper + i));
        high = _mm512_mul_pd(_mm512_cvtps_pd(_mm512_cvtpd_ps(high)), _mm512_loadu_pd(taper + i + 8));
    }
    return joined(_mm512_cvtpd_ps(low), _mm512_cvtpd_ps(high));
}

template <bool Tapered>
void pack(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    const __m512d offsets = _mm512_set1_pd(offset);
    const __m512i evens = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    const __m512i odds = _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
    std::size_t i = 0;
    for (; i + 32 <= length; i += 32) {
        const __m512 a = conditioned16<Tapered>(_mm512_loadu_ps(block + i), offsets, taper, i);
        const __m512 b = conditioned16<Tapered>(_mm512_loadu_ps(block + i + 16), offsets, taper, i + 16);
        _mm512_storeu_ps(re + i / 2, _mm512_permutex2var_ps(a, evens, b));
        _mm512_storeu_ps(im + i / 2, _mm512_permutex2var_ps(a, odds, b));
    }
    packFrom(i, block, length, offset, taper, re, im);
}

void pack(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    (taper ? pack<true> : pack<false>)(block, length, offset, taper, re, im);
}

float largest(const float* values, std::size_t n)
{
    const __m512i magnitude = _mm512_set1_epi32(0x7fffffff);
    const auto magnitudes = [&](std::size_t at) {
        return _mm512_castsi512_ps(_mm512_and_epi32(_mm512_castps_si512(_mm512_loadu_ps(values + at)), magnitude));
    };
    // Two running maxima, so that the comparisons do not wait on each other.
    __m512 most = _mm512_setzero_ps(), other = _mm512_setzero_ps();
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        most = _mm512_max_ps(magnitudes(i), most);
        other = _mm512_max_ps(magnitudes(i + 16), other);
    }
    if (i + 16 <= n) {
        most = _mm512_max_ps(magnitudes(i), most);
        i += 16;
    }
    alignas(64) float lanes[16];
    _mm512_store_ps(lanes, _mm512_max_ps(most, other));
    return largestFrom(i, values, n, largestFrom(0, lanes, 16, 0.0f));
}

bool scaledSum(const float* values, std::size_t n, double scale, double& sum)
{
    const __m512d factor = _mm512_set1_pd(scale);
    const __m512i magnitude = _mm512_set1_epi64(0x7fffffffffffffff);
    const __m512d rounding = _mm512_set1_pd(0x1p52);
    __m512d total = _mm512_setzero_pd();
    const auto take = [&](__m256 eight) {
        const __m512d w = _mm512_mul_pd(_mm512_cvtps_pd(eight), factor);
        const __m512d a = _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(w), magnitude));
        total = _mm512_add_pd(total, w);
        return _mm512_cmp_pd_mask(_mm512_sub_pd(_mm512_add_pd(a, rounding), rounding), a, _CMP_EQ_OQ) == 0xff;
    };
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512 x = _mm512_loadu_ps(values + i);
        if (!(take(lowHalf(x)) & take(highHalf(x))))
            return false;
    }
    alignas(64) double parts[8];
    _mm512_store_pd(parts, total);
    sum = 0;
    for (const double part : parts)
        sum += part;
    return scaledSumFrom(i, values, n, scale, sum);
}

bool exactSum(const float* values, std::size_t n, double& sum, int& exponent)
{
    return exactSumWith(largest, scaledSum, values, n, sum, exponent);
}

void magnitudes(const float* re, const float* im, std::size_t n, double scale, float* out)
{
    const __m512d s = _mm512_set1_pd(scale);
    const auto magnitude = [&](__m256 r8, __m256 i8) {
        const __m512d r = _mm512_cvtps_pd(r8);
        const __m512d i = _mm512_cvtps_pd(i8);
        return _mm512_cvtpd_ps(_mm512_mul_pd(_mm512_sqrt_pd(_mm512_add_pd(_mm512_mul_pd(r, r), _mm512_mul_pd(i, i))), s));
    };
    std::size_t j = 1;
    for (; j + 16 <= n + 1; j += 16) {
        const __m512 r = _mm512_loadu_ps(re + j);
        const __m512 i = _mm512_loadu_ps(im + j);
        _mm512_storeu_ps(out + j - 1, joined(magnitude(lowHalf(r), lowHalf(i)), magnitude(highHalf(r), highHalf(i))));
    }
    magnitudesFrom(j, re, im, n, scale, out);
}

}  // namespace

constinit const SpectrumKernels spectrumAvx512Kernels{exactSum, pack, magnitudes};
