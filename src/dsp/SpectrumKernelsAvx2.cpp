// Built with AVX2 (and without contraction into fused multiply-adds); run only where it is present.
#include <immintrin.h>

#include "dsp/SpectrumKernels.h"
#include "dsp/SpectrumKernelSteps.h"

extern const SpectrumKernels spectrumAvx2Kernels;

namespace {

// Eight values at once, as conditionedValue does them one by one.
template <bool Tapered>
[[gnu::always_inline]] inline __m256 conditioned8(__m256 x, __m256d offset, const double* taper, std::size_t i)
{
    __m256d low = _mm256_sub_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(x)), offset);
    __m256d high = _mm256_sub_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(x, 1)), offset);
    if constexpr (Tapered) {
        low = _mm256_mul_pd(_mm256_cvtps_pd(_mm256_cvtpd_ps(low)), _mm256_loadu_pd(taper + i));
        high = _mm256_mul_pd(_mm256_cvtps_pd(_mm256_cvtpd_ps(high)), _mm256_loadu_pd(taper + i + 4));
    }
    return _mm256_set_m128(_mm256_cvtpd_ps(high), _mm256_cvtpd_ps(low));
}

// The even and the odd values of a and b, each in their order.
__m256 evens(__m256 a, __m256 b)
{
    const __m256 halves = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    return _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(halves), _MM_SHUFFLE(3, 1, 2, 0)));
}

__m256 odds(__m256 a, __m256 b)
{
    const __m256 halves = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    return _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(halves), _MM_SHUFFLE(3, 1, 2, 0)));
}

template <bool Tapered>
void pack(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    const __m256d offsets = _mm256_set1_pd(offset);
    std::size_t i = 0;
    for (; i + 16 <= length; i += 16) {
        const __m256 a = conditioned8<Tapered>(_mm256_loadu_ps(block + i), offsets, taper, i);
        const __m256 b = conditioned8<Tapered>(_mm256_loadu_ps(block + i + 8), offsets, taper, i + 8);
        _mm256_storeu_ps(re + i / 2, evens(a, b));
        _mm256_storeu_ps(im + i / 2, odds(a, b));
    }
    packFrom(i, block, length, offset, taper, re, im);
}

void pack(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    (taper ? pack<true> : pack<false>)(block, length, offset, taper, re, im);
}

float largest(const float* values, std::size_t n)
{
    const __m256 magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
    __m256 most = _mm256_setzero_ps();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8)
        most = _mm256_max_ps(_mm256_and_ps(_mm256_loadu_ps(values + i), magnitude), most);
    alignas(32) float lanes[8];
    _mm256_store_ps(lanes, most);
    return largestFrom(i, values, n, largestFrom(0, lanes, 8, 0.0f));
}

bool scaledSum(const float* values, std::size_t n, double scale, double& sum)
{
    const __m256d factor = _mm256_set1_pd(scale);
    const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
    const __m256d rounding = _mm256_set1_pd(0x1p52);
    __m256d total = _mm256_setzero_pd();
    const auto take = [&](__m128 four) {
        const __m256d w = _mm256_mul_pd(_mm256_cvtps_pd(four), factor);
        const __m256d a = _mm256_and_pd(w, magnitude);
        total = _mm256_add_pd(total, w);
        return _mm256_movemask_pd(_mm256_cmp_pd(_mm256_sub_pd(_mm256_add_pd(a, rounding), rounding), a, _CMP_EQ_OQ)) == 0xf;
    };
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256 x = _mm256_loadu_ps(values + i);
        if (!(take(_mm256_castps256_ps128(x)) & take(_mm256_extractf128_ps(x, 1))))
            return false;
    }
    alignas(32) double parts[4];
    _mm256_store_pd(parts, total);
    sum = parts[0] + parts[1] + parts[2] + parts[3];
    return scaledSumFrom(i, values, n, scale, sum);
}

bool exactSum(const float* values, std::size_t n, double& sum, int& exponent)
{
    return exactSumWith(largest, scaledSum, values, n, sum, exponent);
}

void magnitudes(const float* re, const float* im, std::size_t n, double scale, float* out)
{
    const __m256d s = _mm256_set1_pd(scale);
    const auto magnitude = [&](__m128 r4, __m128 i4) {
        const __m256d r = _mm256_cvtps_pd(r4);
        const __m256d i = _mm256_cvtps_pd(i4);
        return _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(r, r), _mm256_mul_pd(i, i))), s));
    };
    std::size_t j = 1;
    for (; j + 8 <= n + 1; j += 8) {
        const __m256 r = _mm256_loadu_ps(re + j);
        const __m256 i = _mm256_loadu_ps(im + j);
        const __m128 low = magnitude(_mm256_castps256_ps128(r), _mm256_castps256_ps128(i));
        const __m128 high = magnitude(_mm256_extractf128_ps(r, 1), _mm256_extractf128_ps(i, 1));
        _mm256_storeu_ps(out + j - 1, _mm256_set_m128(high, low));
    }
    magnitudesFrom(j, re, im, n, scale, out);
}

}  // namespace

constinit const SpectrumKernels spectrumAvx2Kernels{exactSum, pack, magnitudes};
