#pragma once
// The lane types the FFT butterflies are written for, and the operations on them.
#include <emmintrin.h>
#include <xmmintrin.h>

// The butterflies are written once for a lane type: float for one butterfly, FftFloat4 for four
// neighbouring ones in SSE2 registers (FftLanesAvx2.h and FftLanesAvx512.h add eight and sixteen).
// Each lane performs the same single-precision operations in the same order, so all give
// bit-identical results.
//
// Everything here has internal linkage: each file built for another instruction set gets its own
// copy, so the linker can never let a copy built for a wider set stand in for a narrower one.
namespace {

struct FftFloat4 {
    __m128 v;
};

// How many lanes a type has, and the next narrower type that finishes what it leaves over.
template <typename T>
struct FftLanes;

template <>
struct FftLanes<float> {
    static constexpr int count = 1;
};

template <>
struct FftLanes<FftFloat4> {
    static constexpr int count = 4;
    using Narrower = float;
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

template <typename T>
T fftBroadcast(float x);

template <>
inline float fftBroadcast<float>(float x)
{
    return x;
}

template <>
inline FftFloat4 fftBroadcast<FftFloat4>(float x)
{
    return {_mm_set1_ps(x)};
}

// Lane l holds p[-l]: the partners k, k - 1, k - 2, ... of the neighbours j, j + 1, j + 2, ...
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

// Wider types are groups of four lanes. Lanes 4c ... 4c + 3 hold p[0 ... 3] for every group c.
template <typename T>
T fftLoadRepeated4(const float* p);

template <>
inline FftFloat4 fftLoadRepeated4<FftFloat4>(const float* p)
{
    return {_mm_loadu_ps(p)};
}

// Within every group of four lanes, lane j of x[r] and lane r of x[j] trade places.
inline void fftTranspose(FftFloat4 (&x)[4])
{
    _MM_TRANSPOSE4_PS(x[0].v, x[1].v, x[2].v, x[3].v);
}

// Blocks of sixteen consecutive values, one per group of lanes: group c of x[r] is p[16c + 4r ... 16c + 4r + 3].
inline void fftLoadBlockRows(const float* p, FftFloat4 (&x)[4])
{
    x[0].v = _mm_loadu_ps(p);
    x[1].v = _mm_loadu_ps(p + 4);
    x[2].v = _mm_loadu_ps(p + 8);
    x[3].v = _mm_loadu_ps(p + 12);
}

inline void fftStoreBlockRows(float* p, const FftFloat4 (&x)[4])
{
    _mm_storeu_ps(p, x[0].v);
    _mm_storeu_ps(p + 4, x[1].v);
    _mm_storeu_ps(p + 8, x[2].v);
    _mm_storeu_ps(p + 12, x[3].v);
}

// Values p[0 ... 2w − 1] split into the even ones and the odd ones, in order.
inline void fftDeinterleave(const float* p, FftFloat4& even, FftFloat4& odd)
{
    const __m128 low = _mm_loadu_ps(p);
    const __m128 high = _mm_loadu_ps(p + 4);
    even.v = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
    odd.v = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
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

}  // namespace
