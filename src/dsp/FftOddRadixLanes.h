#pragma once
// The butterflies of odd factors and the rotation that follows them, written for any lane type.
#include <cstddef>

#include "dsp/FftLanes.h"
#include "dsp/FftPasses.h"

// One butterfly per lane, each lane doing the single-precision operations of the scalar butterfly in its
// order. The scalar kernel leaves the twiddles to the rotation, which runs after the pass; the vector
// kernels turn the outputs on their way out, by the same operations.
namespace {

// Where the rotation after an odd pass takes the twiddle of position m: (c1[m], s1[m]), the same for every
// lane when the lanes are neighbouring blocks at one position.
struct FftTurnSource {
    const float* c1 = nullptr;
    const float* s1 = nullptr;
    bool sharedPosition = false;
};

// Output r of the butterfly at position m stored as it is, or turned by w^r, w being the position's
// twiddle and each power made from the one before by one multiplication, in the same order for every
// block. Position 0 turns by 1 and is left alone.
template <bool Turned, typename U, int Capacity>
struct FftOutputs {
    FftOutputs(const FftTurnSource&, std::ptrdiff_t, int) {}

    [[gnu::always_inline]] void put(float* a, float* b, std::ptrdiff_t k, int, U re, U im) const
    {
        fftStore(a + k, re);
        fftStore(b + k, im);
    }
};

template <typename U, int Capacity>
struct FftOutputs<true, U, Capacity> {
    U c[Capacity];
    U s[Capacity];
    U first;      // the twiddle's sine, 0 in the lanes of position 0
    bool atZero;  // some lane holds position 0

    [[gnu::always_inline]] FftOutputs(const FftTurnSource& source, std::ptrdiff_t m, int points)
        : atZero(m == 0)
    {
        const U cw = source.sharedPosition ? fftBroadcast<U>(source.c1[m]) : fftLoad<U>(source.c1 + m);
        const U sw = source.sharedPosition ? fftBroadcast<U>(source.s1[m]) : fftLoad<U>(source.s1 + m);
        first = sw;
        U cr = cw;
        U sr = sw;
        for (int r = 1; r < points; ++r) {
            c[r] = cr;
            s[r] = sr;
            const U t = sw * sr;
            sr = sw * cr + cw * sr;
            cr = cw * cr - t;
        }
    }

    [[gnu::always_inline]] void put(float* a, float* b, std::ptrdiff_t k, int r, U re, U im) const
    {
        U turnedRe = c[r] * re - s[r] * im;
        U turnedIm = s[r] * re + c[r] * im;
        if (atZero) {
            turnedRe = fftRotatedUnlessZero(first, re, turnedRe);
            turnedIm = fftRotatedUnlessZero(first, im, turnedIm);
        }
        fftStore(a + k, turnedRe);
        fftStore(b + k, turnedIm);
    }
};

// The outputs of a pair of mirrored inputs: (ak − bj, bk + aj) as output rLow and (ak + bj, bk − aj) as
// output p − rLow, kspan further on per output.
template <typename Outputs, typename U>
[[gnu::always_inline]] inline void storeMirroredPair(const Outputs& out, float* a, float* b, std::ptrdiff_t k0,
                                                     std::ptrdiff_t kspan, int rLow, int p, U ak, U bk, U aj, U bj)
{
    out.put(a, b, k0 + rLow * kspan, rLow, ak - bj, bk + aj);
    out.put(a, b, k0 + (p - rLow) * kspan, p - rLow, ak + bj, bk - aj);
}

template <bool Turned>
struct Radix3AtPositions {
    float* a;
    float* b;
    std::ptrdiff_t kspan;
    float s120;
    FftTurnSource turn{};

    template <typename U>
    [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        const FftOutputs<Turned, U, 3> out(turn, m, 3);
        const std::ptrdiff_t k1 = k0 + kspan;
        const std::ptrdiff_t k2 = k1 + kspan;
        const U a1 = fftLoad<U>(a + k1), a2 = fftLoad<U>(a + k2);
        const U b1 = fftLoad<U>(b + k1), b2 = fftLoad<U>(b + k2);
        U ak = fftLoad<U>(a + k0);
        U bk = fftLoad<U>(b + k0);
        U aj = a1 + a2;
        U bj = b1 + b2;
        fftStore(a + k0, ak + aj);
        fftStore(b + k0, bk + bj);
        const U half = fftBroadcast<U>(-0.5f);
        ak = half * aj + ak;
        bk = half * bj + bk;
        const U s = fftBroadcast<U>(s120);
        aj = (a1 - a2) * s;
        bj = (b1 - b2) * s;
        storeMirroredPair(out, a, b, k0, kspan, 1, 3, ak, bk, aj, bj);
    }
};

template <bool Turned>
struct Radix5AtPositions {
    float* a;
    float* b;
    std::ptrdiff_t kspan;
    float c72, s72, c2, s2;  // cos and sin of 2π/5 and of twice that, with the direction's sign
    FftTurnSource turn{};

    template <typename U>
    [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        const FftOutputs<Turned, U, 5> out(turn, m, 5);
        const std::ptrdiff_t k1 = k0 + kspan;
        const std::ptrdiff_t k2 = k1 + kspan;
        const std::ptrdiff_t k3 = k2 + kspan;
        const std::ptrdiff_t k4 = k3 + kspan;
        const U a1 = fftLoad<U>(a + k1), a2 = fftLoad<U>(a + k2), a3 = fftLoad<U>(a + k3), a4 = fftLoad<U>(a + k4);
        const U b1 = fftLoad<U>(b + k1), b2 = fftLoad<U>(b + k2), b3 = fftLoad<U>(b + k3), b4 = fftLoad<U>(b + k4);
        const U akp = a1 + a4;
        const U akm = a1 - a4;
        const U bkp = b1 + b4;
        const U bkm = b1 - b4;
        const U ajp = a2 + a3;
        const U ajm = a2 - a3;
        const U bjp = b2 + b3;
        const U bjm = b2 - b3;
        const U aa = fftLoad<U>(a + k0);
        const U bb = fftLoad<U>(b + k0);
        fftStore(a + k0, aa + akp + ajp);
        fftStore(b + k0, bb + bkp + bjp);
        const U cos1 = fftBroadcast<U>(c72), sin1 = fftBroadcast<U>(s72);
        const U cos2 = fftBroadcast<U>(c2), sin2 = fftBroadcast<U>(s2);
        U ak = akp * cos1 + ajp * cos2 + aa;
        U bk = bkp * cos1 + bjp * cos2 + bb;
        U aj = akm * sin1 + ajm * sin2;
        U bj = bkm * sin1 + bjm * sin2;
        storeMirroredPair(out, a, b, k0, kspan, 1, 5, ak, bk, aj, bj);
        ak = akp * cos2 + ajp * cos1 + aa;
        bk = bkp * cos2 + bjp * cos1 + bb;
        aj = akm * sin2 - ajm * sin1;
        bj = bkm * sin2 - bjm * sin1;
        storeMirroredPair(out, a, b, k0, kspan, 2, 5, ak, bk, aj, bj);
    }
};

// Any odd factor p up to 23 from its table of cosines and sines: sums and differences of the input pairs
// i and p − i, then each output pair j from all of them.
template <bool Turned>
struct OddAtPositions {
    float* a;
    float* b;
    std::ptrdiff_t kspan;
    const FftOddFactorTable* table;
    FftTurnSource turn{};

    template <typename U>
    [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        const int p = table->factor;
        const FftOutputs<Turned, U, FftMaxPrimeFactor> out(turn, m, p);
        const int half = (p - 1) / 2;
        U sumA[12], sumB[12], difA[12], difB[12];
        const U aa = fftLoad<U>(a + k0);
        const U bb = fftLoad<U>(b + k0);
        U ak = aa;
        U bk = bb;
        for (int i = 1; i <= half; ++i) {
            const std::ptrdiff_t k1 = k0 + i * kspan;
            const std::ptrdiff_t k2 = k0 + (p - i) * kspan;
            const U a1 = fftLoad<U>(a + k1), a2 = fftLoad<U>(a + k2);
            const U b1 = fftLoad<U>(b + k1), b2 = fftLoad<U>(b + k2);
            sumA[i] = a1 + a2;
            ak = sumA[i] + ak;
            sumB[i] = b1 + b2;
            bk = sumB[i] + bk;
            difA[i] = a1 - a2;
            difB[i] = b1 - b2;
        }
        fftStore(a + k0, ak);
        fftStore(b + k0, bk);
        for (int j = 1; j <= half; ++j) {
            U cosA = aa;
            U cosB = bb;
            U sinA = fftBroadcast<U>(0.0f);
            U sinB = fftBroadcast<U>(0.0f);
            int jj = j;
            for (int i = 1; i <= half; ++i) {
                const U c = fftBroadcast<U>(table->ck[std::size_t(jj)]);
                const U s = fftBroadcast<U>(table->sk[std::size_t(jj)]);
                cosA = sumA[i] * c + cosA;
                cosB = sumB[i] * c + cosB;
                sinA = difA[i] * s + sinA;
                sinB = difB[i] * s + sinB;
                jj += j;
                if (jj >= p)
                    jj -= p;
            }
            storeMirroredPair(out, a, b, k0, kspan, j, p, cosA, cosB, sinA, sinB);
        }
    }
};

// The rotation as a sweep of its own, for the scalar kernel: the outputs of each butterfly loaded again
// and turned as FftOutputs turns them.
struct RotationAtPositions {
    float* a;
    float* b;
    std::ptrdiff_t kspan;
    std::ptrdiff_t kspnn;
    FftTurnSource turn;

    template <typename U>
    [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        const int points = int(kspnn / kspan);
        const FftOutputs<true, U, FftMaxPrimeFactor> out(turn, m, points);
        for (int r = 1; r < points; ++r) {
            const std::ptrdiff_t k = k0 + r * kspan;
            out.put(a, b, k, r, fftLoad<U>(a + k), fftLoad<U>(b + k));
        }
    }
};

}  // namespace
