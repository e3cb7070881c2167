#include "dsp/SpectrumKernels.h"

#include <emmintrin.h>

#include "dsp/SpectrumKernelSteps.h"

extern const SpectrumKernels spectrumAvx2Kernels;
extern const SpectrumKernels spectrumAvx512Kernels;

namespace {

void packScalar(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    packFrom(0, block, length, offset, taper, re, im);
}

bool exactSumScalar(const float* values, std::size_t n, double& sum, int& exponent)
{
    const auto largest = [](const float* x, std::size_t count) { return largestFrom(0, x, count, 0.0f); };
    const auto scaled = [](const float* x, std::size_t count, double scale, double& total) {
        return scaledSumFrom(0, x, count, scale, total);
    };
    return exactSumWith(largest, scaled, values, n, sum, exponent);
}

void magnitudesScalar(const float* re, const float* im, std::size_t n, double scale, float* out)
{
    magnitudesFrom(1, re, im, n, scale, out);
}

// Four values at once, as conditionedValue does them one by one.
template <bool Tapered>
[[gnu::always_inline]] inline __m128 conditioned4(__m128 x, __m128d offset, const double* taper, std::size_t i)
{
    __m128d low = _mm_sub_pd(_mm_cvtps_pd(x), offset);
    __m128d high = _mm_sub_pd(_mm_cvtps_pd(_mm_movehl_ps(x, x)), offset);
    if constexpr (Tapered) {
        low = _mm_mul_pd(_mm_cvtps_pd(_mm_cvtpd_ps(low)), _mm_loadu_pd(taper + i));
        high = _mm_mul_pd(_mm_cvtps_pd(_mm_cvtpd_ps(high)), _mm_loadu_pd(taper + i + 2));
    }
    return _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
}

template <bool Tapered>
void packSse2(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    const __m128d offsets = _mm_set1_pd(offset);
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        const __m128 a = conditioned4<Tapered>(_mm_loadu_ps(block + i), offsets, taper, i);
        const __m128 b = conditioned4<Tapered>(_mm_loadu_ps(block + i + 4), offsets, taper, i + 4);
        _mm_storeu_ps(re + i / 2, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_ps(im + i / 2, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
    packFrom(i, block, length, offset, taper, re, im);
}

void packSse2(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
{
    (taper ? packSse2<true> : packSse2<false>)(block, length, offset, taper, re, im);
}

float largestSse2(const float* values, std::size_t n)
{
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
    __m128 largest = _mm_setzero_ps();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4)
        largest = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(values + i), magnitude), largest);
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, largest);
    return largestFrom(i, values, n, largestFrom(0, lanes, 4, 0.0f));
}

bool scaledSumSse2(const float* values, std::size_t n, double scale, double& sum)
{
    const __m128d factor = _mm_set1_pd(scale);
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
    const __m128d rounding = _mm_set1_pd(0x1p52);
    __m128d total = _mm_setzero_pd();
    const auto take = [&](__m128 two) {
        const __m128d w = _mm_mul_pd(_mm_cvtps_pd(two), factor);
        const __m128d a = _mm_and_pd(w, magnitude);
        total = _mm_add_pd(total, w);
        return _mm_movemask_pd(_mm_cmpeq_pd(_mm_sub_pd(_mm_add_pd(a, rounding), rounding), a)) == 3;
    };
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128 x = _mm_loadu_ps(values + i);
        if (!(take(x) & take(_mm_movehl_ps(x, x))))
            return false;
    }
    alignas(16) double parts[2];
    _mm_store_pd(parts, total);
    sum = parts[0] + parts[1];
    return scaledSumFrom(i, values, n, scale, sum);
}

bool exactSumSse2(const float* values, std::size_t n, double& sum, int& exponent)
{
    return exactSumWith(largestSse2, scaledSumSse2, values, n, sum, exponent);
}

void magnitudesSse2(const float* re, const float* im, std::size_t n, double scale, float* out)
{
    const __m128d s = _mm_set1_pd(scale);
    const auto magnitude = [&](__m128d r, __m128d i) {
        return _mm_cvtpd_ps(_mm_mul_pd(_mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(r, r), _mm_mul_pd(i, i))), s));
    };
    std::size_t j = 1;
    for (; j + 4 <= n + 1; j += 4) {
        const __m128 r = _mm_loadu_ps(re + j);
        const __m128 i = _mm_loadu_ps(im + j);
        const __m128 low = magnitude(_mm_cvtps_pd(r), _mm_cvtps_pd(i));
        const __m128 high = magnitude(_mm_cvtps_pd(_mm_movehl_ps(r, r)), _mm_cvtps_pd(_mm_movehl_ps(i, i)));
        _mm_storeu_ps(out + j - 1, _mm_movelh_ps(low, high));
    }
    magnitudesFrom(j, re, im, n, scale, out);
}

constinit const SpectrumKernels ScalarKernels{exactSumScalar, packScalar, magnitudesScalar};
constinit const SpectrumKernels Sse2Kernels{exactSumSse2, packSse2, magnitudesSse2};

}  // namespace

const SpectrumKernels& spectrumKernels(FftKernel kernel)
{
    switch (kernel) {
    case FftKernel::Scalar:
        return ScalarKernels;
    case FftKernel::Avx2:
        return spectrumAvx2Kernels;
    case FftKernel::Avx512:
        return spectrumAvx512Kernels;
    default:
        return Sse2Kernels;
    }
}
