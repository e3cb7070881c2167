// Built with AVX-512F (and without contraction into fused multiply-adds); run only where it is present.
#include <immintrin.h>

#include "dsp/SpectrumLaneKernels.h"

extern const SpectrumKernels spectrumAvx512Kernels;

namespace {

// Only AVX-512F instructions, so that every processor with 512-bit registers runs them.
struct Avx512Lanes {
    using Floats = __m512;
    using Half = __m256;
    using Doubles = __m512d;
    static constexpr std::size_t Width = 16;

    static Floats load(const float* p) { return _mm512_loadu_ps(p); }
    static void store(float* p, Floats x) { _mm512_storeu_ps(p, x); }
    static void store(double* p, Doubles x) { _mm512_storeu_pd(p, x); }
    static Doubles loadDoubles(const double* p) { return _mm512_loadu_pd(p); }
    static Doubles splat(double x) { return _mm512_set1_pd(x); }
    static Half lowHalf(Floats x) { return _mm512_castps512_ps256(x); }
    static Half highHalf(Floats x) { return _mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(x), 1)); }
    static Floats join(Half low, Half high) { return _mm512_castpd_ps(_mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_castps_pd(low)), _mm256_castps_pd(high), 1)); }
    static Doubles widen(Half x) { return _mm512_cvtps_pd(x); }
    static Half narrow(Doubles x) { return _mm512_cvtpd_ps(x); }
    static Doubles add(Doubles x, Doubles y) { return _mm512_add_pd(x, y); }
    static Doubles sub(Doubles x, Doubles y) { return _mm512_sub_pd(x, y); }
    static Doubles mul(Doubles x, Doubles y) { return _mm512_mul_pd(x, y); }
    static Doubles sqrt(Doubles x) { return _mm512_sqrt_pd(x); }
    static Floats zero() { return _mm512_setzero_ps(); }
    // `max(v, m)` keeps m when v is NaN.
    static Floats max(Floats v, Floats m) { return _mm512_max_ps(v, m); }
    static Floats magnitude(Floats x) { return _mm512_castsi512_ps(_mm512_and_epi32(_mm512_castps_si512(x), _mm512_set1_epi32(0x7fffffff))); }
    static Doubles magnitude(Doubles x) { return _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(x), _mm512_set1_epi64(0x7fffffffffffffff))); }
    static bool allEqual(Doubles x, Doubles y) { return _mm512_cmp_pd_mask(x, y, _CMP_EQ_OQ) == 0xff; }
    static Floats evens(Floats a, Floats b) { return _mm512_permutex2var_ps(a, _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30), b); }
    static Floats odds(Floats a, Floats b) { return _mm512_permutex2var_ps(a, _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31), b); }
};

}  // namespace

constinit const SpectrumKernels spectrumAvx512Kernels = SpectrumLaneKernels<Avx512Lanes>::table();
