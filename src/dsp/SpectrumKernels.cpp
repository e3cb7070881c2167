#include "dsp/SpectrumKernels.h"

#include <emmintrin.h>

#include "dsp/SpectrumLaneKernels.h"

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

// Four lanes in SSE2 registers, the set every x86-64 processor runs.
struct Sse2Lanes {
    using Floats = __m128;
    using Half = __m128;
    using Doubles = __m128d;
    static constexpr std::size_t Width = 4;

    static Floats load(const float* p) { return _mm_loadu_ps(p); }
    static void store(float* p, Floats x) { _mm_storeu_ps(p, x); }
    static void store(double* p, Doubles x) { _mm_storeu_pd(p, x); }
    static Doubles loadDoubles(const double* p) { return _mm_loadu_pd(p); }
    static Doubles splat(double x) { return _mm_set1_pd(x); }
    static Half lowHalf(Floats x) { return x; }
    static Half highHalf(Floats x) { return _mm_movehl_ps(x, x); }
    static Floats join(Half low, Half high) { return _mm_movelh_ps(low, high); }
    static Doubles widen(Half x) { return _mm_cvtps_pd(x); }
    static Half narrow(Doubles x) { return _mm_cvtpd_ps(x); }
    static Doubles add(Doubles x, Doubles y) { return _mm_add_pd(x, y); }
    static Doubles sub(Doubles x, Doubles y) { return _mm_sub_pd(x, y); }
    static Doubles mul(Doubles x, Doubles y) { return _mm_mul_pd(x, y); }
    static Doubles sqrt(Doubles x) { return _mm_sqrt_pd(x); }
    static Floats zero() { return _mm_setzero_ps(); }
    // `max(v, m)` keeps m when v is NaN.
    static Floats max(Floats v, Floats m) { return _mm_max_ps(v, m); }
    static Floats magnitude(Floats x) { return _mm_and_ps(x, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff))); }
    static Doubles magnitude(Doubles x) { return _mm_and_pd(x, _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff))); }
    static bool allEqual(Doubles x, Doubles y) { return _mm_movemask_pd(_mm_cmpeq_pd(x, y)) == 0x3; }
    static Floats evens(Floats a, Floats b) { return _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)); }
    static Floats odds(Floats a, Floats b) { return _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)); }
};

constinit const SpectrumKernels ScalarKernels{exactSumScalar, packScalar, magnitudesScalar};
constinit const SpectrumKernels Sse2Kernels = SpectrumLaneKernels<Sse2Lanes>::table();

}  // namespace

const SpectrumKernels& spectrumKernels(FftKernel kernel)
{
    return ofKernel(kernel, ScalarKernels, Sse2Kernels, spectrumAvx2Kernels, spectrumAvx512Kernels);
}
