#pragma once
#include <emmintrin.h>
#include <xmmintrin.h>

// The butterflies are written once for a lane type: float for one butterfly, FftFloat4 for four
// neighbouring ones in SSE2 registers. Each lane performs the same single-precision operations in
// the same order, so both give bit-identical results.
struct FftFloat4 {
    __m128 v;
};

inline FftFloat4 operator+(FftFloat4 x, FftFloat4 y) { return {_mm_add_ps(x.v, y.v)}; }
inline FftFloat4 operator-(FftFloat4 x, FftFloat4 y) { return {_mm_sub_ps(x.v, y.v)}; }
inline FftFloat4 operator*(FftFloat4 x, FftFloat4 y) { return {_mm_mul_ps(x.v, y.v)}; }

template <typename T>
T fftLoad(const float* p);

template <>
inline float fftLoad<float>(const float* p)
{
    return *p;
}

template <>
inline FftFloat4 fftLoad<FftFloat4>(const float* p)
{
    return {_mm_loadu_ps(p)};
}

inline void fftStore(float* p, float x) { *p = x; }
inline void fftStore(float* p, FftFloat4 x) { _mm_storeu_ps(p, x.v); }

// Lane l holds p[-l]: the partners k, k - 1, k - 2, k - 3 of the neighbours j, j + 1, j + 2, j + 3.
template <typename T>
T fftLoadMirrored(const float* p);

template <>
inline float fftLoadMirrored<float>(const float* p)
{
    return *p;
}

template <>
inline FftFloat4 fftLoadMirrored<FftFloat4>(const float* p)
{
    const __m128 x = _mm_loadu_ps(p - 3);
    return {_mm_shuffle_ps(x, x, _MM_SHUFFLE(0, 1, 2, 3))};
}

inline void fftStoreMirrored(float* p, float x) { *p = x; }
inline void fftStoreMirrored(float* p, FftFloat4 x) { _mm_storeu_ps(p - 3, _mm_shuffle_ps(x.v, x.v, _MM_SHUFFLE(0, 1, 2, 3))); }

inline FftFloat4 fftBroadcast(float x) { return {_mm_set1_ps(x)}; }

// Lane j of x[r] and lane r of x[j] trade places.
inline void fftTranspose(FftFloat4 (&x)[4])
{
    _MM_TRANSPOSE4_PS(x[0].v, x[1].v, x[2].v, x[3].v);
}

// Sixteen consecutive values as four lanes of four: lane j of x[r] is p[4j + r].
inline void fftLoadTransposed(const float* p, FftFloat4 (&x)[4])
{
    for (int r = 0; r < 4; ++r)
        x[r].v = _mm_loadu_ps(p + 4 * r);
    fftTranspose(x);
}

inline void fftStoreTransposed(float* p, FftFloat4 (&x)[4])
{
    fftTranspose(x);
    for (int r = 0; r < 4; ++r)
        _mm_storeu_ps(p + 4 * r, x[r].v);
}

// `rotated`, except in lanes whose sine s is exactly zero: those positions are not rotated at all
// and keep `unrotated`. Lanes are tested only when one of them is zero, which is rare.
inline float fftRotatedUnlessZero(float s, float unrotated, float rotated) { return s == 0.0f ? unrotated : rotated; }

inline FftFloat4 fftRotatedUnlessZero(FftFloat4 s, FftFloat4 unrotated, FftFloat4 rotated)
{
    const __m128 zero = _mm_cmpeq_ps(s.v, _mm_setzero_ps());
    if (_mm_movemask_ps(zero) == 0)
        return rotated;
    return {_mm_or_ps(_mm_and_ps(zero, unrotated.v), _mm_andnot_ps(zero, rotated.v))};
}
