// Built with AVX2 (and without contraction into fused multiply-adds); run only where it is present.
#include <immintrin.h>

#include "dsp/SpectrumLaneKernels.h"

extern const SpectrumKernels spectrumAvx2Kernels;

namespace {

// The two 128-bit halves' pairs of a shuffle, brought into order.
__m256 inOrder(__m256 halves)
{
    return _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(halves), _MM_SHUFFLE(3, 1, 2, 0)));
}

// Eight lanes in AVX2 registers.
struct Avx2Lanes {
    using Floats = __m256;
    using Half = __m128;
    using Doubles = __m256d;
    static constexpr std::size_t Width = 8;

    static Floats load(const float* p) { return _mm256_loadu_ps(p); }
    static void store(float* p, Floats x) { _mm256_storeu_ps(p, x); }
    static void store(double* p, Doubles x) { _mm256_storeu_pd(p, x); }
    static Doubles loadDoubles(const double* p) { return _mm256_loadu_pd(p); }
    static Doubles splat(double x) { return _mm256_set1_pd(x); }
    static Half lowHalf(Floats x) { return _mm256_castps256_ps128(x); }
    static Half highHalf(Floats x) { return _mm256_extractf128_ps(x, 1); }
    static Floats join(Half low, Half high) { return _mm256_set_m128(high, low); }
    static Doubles widen(Half x) { return _mm256_cvtps_pd(x); }
    static Half narrow(Doubles x) { return _mm256_cvtpd_ps(x); }
    static Doubles add(Doubles x, Doubles y) { return _mm256_add_pd(x, y); }
    static Doubles sub(Doubles x, Doubles y) { return _mm256_sub_pd(x, y); }
    static Doubles mul(Doubles x, Doubles y) { return _mm256_mul_pd(x, y); }
    static Doubles sqrt(Doubles x) { return _mm256_sqrt_pd(x); }
    static Floats zero() { return _mm256_setzero_ps(); }
    // `max(v, m)` keeps m when v is NaN.
    static Floats max(Floats v, Floats m) { return _mm256_max_ps(v, m); }
    static Floats magnitude(Floats x) { return _mm256_and_ps(x, _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff))); }
    static Doubles magnitude(Doubles x) { return _mm256_and_pd(x, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff))); }
    static bool allEqual(Doubles x, Doubles y) { return _mm256_movemask_pd(_mm256_cmp_pd(x, y, _CMP_EQ_OQ)) == 0xf; }
    static Floats evens(Floats a, Floats b) { return inOrder(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0))); }
    static Floats odds(Floats a, Floats b) { return inOrder(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))); }
};

}  // namespace

constinit const SpectrumKernels spectrumAvx2Kernels = SpectrumLaneKernels<Avx2Lanes>::table();
