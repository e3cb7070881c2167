#pragma once
// Sixteen lanes in AVX-512 registers, for the file built with AVX-512F; the operations of FftLanes.h.
#include <immintrin.h>

#include "dsp/FftLanesAvx2.h"

// Only AVX-512F instructions are used, so that every processor with 512-bit registers runs them.
namespace {

struct FftFloat16 {
    __m512 v;
};

template <>
struct FftLanes<FftFloat16> {
    static constexpr int count = 16;
    using Narrower = FftFloat8;
};

inline FftFloat16 operator+(FftFloat16 x, FftFloat16 y) { return {_mm512_add_ps(x.v, y.v)}; }
inline FftFloat16 operator-(FftFloat16 x, FftFloat16 y) { return {_mm512_sub_ps(x.v, y.v)}; }
inline FftFloat16 operator*(FftFloat16 x, FftFloat16 y) { return {_mm512_mul_ps(x.v, y.v)}; }

template <>
inline FftFloat16 fftLoad<FftFloat16>(const float* p)
{
    return {_mm512_loadu_ps(p)};
}

inline void fftStore(float* p, FftFloat16 x) { _mm512_storeu_ps(p, x.v); }

template <>
inline FftFloat16 fftBroadcast<FftFloat16>(float x)
{
    return {_mm512_set1_ps(x)};
}

inline __m512 fftReversed(__m512 x)
{
    return _mm512_permutexvar_ps(_mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0), x);
}

template <>
inline FftFloat16 fftLoadMirrored<FftFloat16>(const float* p)
{
    return {fftReversed(_mm512_loadu_ps(p - 15))};
}

inline void fftStoreMirrored(float* p, FftFloat16 x) { _mm512_storeu_ps(p - 15, fftReversed(x.v)); }

template <>
inline FftFloat16 fftLoadRepeated4<FftFloat16>(const float* p)
{
    return {_mm512_broadcast_f32x4(_mm_loadu_ps(p))};
}

inline void fftTranspose(FftFloat16 (&x)[4])
{
    const __m512 t0 = _mm512_unpacklo_ps(x[0].v, x[1].v);
    const __m512 t1 = _mm512_unpackhi_ps(x[0].v, x[1].v);
    const __m512 t2 = _mm512_unpacklo_ps(x[2].v, x[3].v);
    const __m512 t3 = _mm512_unpackhi_ps(x[2].v, x[3].v);
    x[0].v = _mm512_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    x[1].v = _mm512_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    x[2].v = _mm512_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    x[3].v = _mm512_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
}

// Group c of x[r] and group r of x[c] trade places (a 4 x 4 transpose of the groups of four lanes).
inline void fftTransposeGroups(__m512& x0, __m512& x1, __m512& x2, __m512& x3)
{
    const __m512 t0 = _mm512_shuffle_f32x4(x0, x1, _MM_SHUFFLE(1, 0, 1, 0));
    const __m512 t1 = _mm512_shuffle_f32x4(x0, x1, _MM_SHUFFLE(3, 2, 3, 2));
    const __m512 t2 = _mm512_shuffle_f32x4(x2, x3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m512 t3 = _mm512_shuffle_f32x4(x2, x3, _MM_SHUFFLE(3, 2, 3, 2));
    x0 = _mm512_shuffle_f32x4(t0, t2, _MM_SHUFFLE(2, 0, 2, 0));
    x1 = _mm512_shuffle_f32x4(t0, t2, _MM_SHUFFLE(3, 1, 3, 1));
    x2 = _mm512_shuffle_f32x4(t1, t3, _MM_SHUFFLE(2, 0, 2, 0));
    x3 = _mm512_shuffle_f32x4(t1, t3, _MM_SHUFFLE(3, 1, 3, 1));
}

inline void fftTransposeGroups(FftFloat16 (&x)[4]) { fftTransposeGroups(x[0].v, x[1].v, x[2].v, x[3].v); }

inline void fftDeinterleave(const float* p, FftFloat16& even, FftFloat16& odd)
{
    const __m512 low = _mm512_loadu_ps(p);
    const __m512 high = _mm512_loadu_ps(p + 16);
    even.v = _mm512_permutex2var_ps(low, _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30), high);
    odd.v = _mm512_permutex2var_ps(low, _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31), high);
}

// Four blocks of sixteen, one register each, with their groups transposed.
inline void fftLoadBlockRows(const float* p, FftFloat16 (&x)[4])
{
    x[0].v = _mm512_loadu_ps(p);
    x[1].v = _mm512_loadu_ps(p + 16);
    x[2].v = _mm512_loadu_ps(p + 32);
    x[3].v = _mm512_loadu_ps(p + 48);
    fftTransposeGroups(x[0].v, x[1].v, x[2].v, x[3].v);
}

inline void fftStoreBlockRows(float* p, const FftFloat16 (&x)[4])
{
    __m512 y0 = x[0].v, y1 = x[1].v, y2 = x[2].v, y3 = x[3].v;
    fftTransposeGroups(y0, y1, y2, y3);
    _mm512_storeu_ps(p, y0);
    _mm512_storeu_ps(p + 16, y1);
    _mm512_storeu_ps(p + 32, y2);
    _mm512_storeu_ps(p + 48, y3);
}

inline FftFloat16 fftRotatedUnlessZero(FftFloat16 s, FftFloat16 unrotated, FftFloat16 rotated)
{
    const __mmask16 zero = _mm512_cmp_ps_mask(s.v, _mm512_setzero_ps(), _CMP_EQ_OQ);
    if (zero == 0)
        return rotated;
    return {_mm512_mask_blend_ps(zero, rotated.v, unrotated.v)};
}

}  // namespace
