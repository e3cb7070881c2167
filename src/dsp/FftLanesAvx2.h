#pragma once
// Eight lanes in AVX registers, for the files built with AVX2; the operations of FftLanes.h.
#include <immintrin.h>

#include "dsp/FftLanes.h"

namespace {

struct FftFloat8 {
    __m256 v;
};

template <>
struct FftLanes<FftFloat8> {
    static constexpr int count = 8;
    using Narrower = FftFloat4;
};

inline FftFloat8 operator+(FftFloat8 x, FftFloat8 y) { return {_mm256_add_ps(x.v, y.v)}; }
inline FftFloat8 operator-(FftFloat8 x, FftFloat8 y) { return {_mm256_sub_ps(x.v, y.v)}; }
inline FftFloat8 operator*(FftFloat8 x, FftFloat8 y) { return {_mm256_mul_ps(x.v, y.v)}; }

template <>
inline FftFloat8 fftLoad<FftFloat8>(const float* p)
{
    return {_mm256_loadu_ps(p)};
}

inline void fftStore(float* p, FftFloat8 x) { _mm256_storeu_ps(p, x.v); }

template <>
inline FftFloat8 fftBroadcast<FftFloat8>(float x)
{
    return {_mm256_set1_ps(x)};
}

inline __m256 fftReversed(__m256 x) { return _mm256_permutevar8x32_ps(x, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0)); }

template <>
inline FftFloat8 fftLoadMirrored<FftFloat8>(const float* p)
{
    return {fftReversed(_mm256_loadu_ps(p - 7))};
}

inline void fftStoreMirrored(float* p, FftFloat8 x) { _mm256_storeu_ps(p - 7, fftReversed(x.v)); }

template <>
inline FftFloat8 fftLoadRepeated4<FftFloat8>(const float* p)
{
    return {_mm256_broadcast_ps(reinterpret_cast<const __m128*>(p))};
}

// The unpacks and shuffles work within each group of four lanes, as the SSE2 transpose does.
inline void fftTranspose(FftFloat8 (&x)[4])
{
    const __m256 t0 = _mm256_unpacklo_ps(x[0].v, x[1].v);
    const __m256 t1 = _mm256_unpackhi_ps(x[0].v, x[1].v);
    const __m256 t2 = _mm256_unpacklo_ps(x[2].v, x[3].v);
    const __m256 t3 = _mm256_unpackhi_ps(x[2].v, x[3].v);
    x[0].v = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    x[1].v = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    x[2].v = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    x[3].v = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
}

// Two blocks of sixteen: the four registers p[0 ... 31] hold, group by group, rows 0 and 1 of block 0,
// rows 2 and 3 of block 0, then the same of block 1.
inline void fftLoadBlockRows(const float* p, FftFloat8 (&x)[4])
{
    const __m256 y0 = _mm256_loadu_ps(p);
    const __m256 y1 = _mm256_loadu_ps(p + 8);
    const __m256 y2 = _mm256_loadu_ps(p + 16);
    const __m256 y3 = _mm256_loadu_ps(p + 24);
    x[0].v = _mm256_permute2f128_ps(y0, y2, 0x20);
    x[1].v = _mm256_permute2f128_ps(y0, y2, 0x31);
    x[2].v = _mm256_permute2f128_ps(y1, y3, 0x20);
    x[3].v = _mm256_permute2f128_ps(y1, y3, 0x31);
}

inline void fftStoreBlockRows(float* p, const FftFloat8 (&x)[4])
{
    _mm256_storeu_ps(p, _mm256_permute2f128_ps(x[0].v, x[1].v, 0x20));
    _mm256_storeu_ps(p + 8, _mm256_permute2f128_ps(x[2].v, x[3].v, 0x20));
    _mm256_storeu_ps(p + 16, _mm256_permute2f128_ps(x[0].v, x[1].v, 0x31));
    _mm256_storeu_ps(p + 24, _mm256_permute2f128_ps(x[2].v, x[3].v, 0x31));
}

// Group c of x[r] and group r of x[c] trade places (a 2 x 2 transpose of the groups of four lanes).
inline void fftTransposeGroups(FftFloat8 (&x)[2])
{
    const __m256 x0 = x[0].v;
    x[0].v = _mm256_permute2f128_ps(x0, x[1].v, 0x20);
    x[1].v = _mm256_permute2f128_ps(x0, x[1].v, 0x31);
}

inline void fftDeinterleave(const float* p, FftFloat8& even, FftFloat8& odd)
{
    const __m256 low = _mm256_loadu_ps(p);
    const __m256 high = _mm256_loadu_ps(p + 8);
    // Within each group of four lanes, then the groups put in order.
    const __m256 e = _mm256_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
    const __m256 o = _mm256_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
    even.v = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(e), _MM_SHUFFLE(3, 1, 2, 0)));
    odd.v = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(o), _MM_SHUFFLE(3, 1, 2, 0)));
}

inline FftFloat8 fftRotatedUnlessZero(FftFloat8 s, FftFloat8 unrotated, FftFloat8 rotated)
{
    const __m256 zero = _mm256_cmp_ps(s.v, _mm256_setzero_ps(), _CMP_EQ_OQ);
    if (_mm256_movemask_ps(zero) == 0)
        return rotated;
    return {_mm256_blendv_ps(rotated.v, unrotated.v, zero)};
}

}  // namespace
