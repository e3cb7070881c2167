#pragma once
// The butterflies, the rotations and the real split, written once for a kernel's widest lanes.
#include <cstddef>

#include "dsp/FftFactors.h"
#include "dsp/FftForEachButterfly.h"
#include "dsp/FftKernelTable.h"
#include "dsp/FftLanes.h"
#include "dsp/FftOddRadixLanes.h"

// What a block leaves over runs in the narrower lane types down to single floats. Included by one file per
// instruction set, after that set's lane header.
namespace {

// The four inputs of radix-4 butterflies, real parts in a and imaginary parts in b, one butterfly
// per lane; the butterfly overwrites them with its outputs.
template <typename U>
struct Radix4Values {
    U a[4];
    U b[4];
};

template <bool Forward, typename U>
[[gnu::always_inline]] inline void radix4Butterfly(Radix4Values<U>& x, U c1, U s1, U c2, U s2, U c3, U s3)
{
    U akp = x.a[0] + x.a[2];
    U akm = x.a[0] - x.a[2];
    U ajp = x.a[1] + x.a[3];
    const U ajm = x.a[1] - x.a[3];
    x.a[0] = akp + ajp;
    ajp = akp - ajp;
    U bkp = x.b[0] + x.b[2];
    U bkm = x.b[0] - x.b[2];
    U bjp = x.b[1] + x.b[3];
    const U bjm = x.b[1] - x.b[3];
    x.b[0] = bkp + bjp;
    bjp = bkp - bjp;
    if constexpr (Forward) {
        akp = akm + bjm;
        akm = akm - bjm;
        bkp = bkm - ajm;
        bkm = bkm + ajm;
    } else {
        akp = akm - bjm;
        akm = akm + bjm;
        bkp = bkm + ajm;
        bkm = bkm - ajm;
    }
    // A sine of exactly 0 (position 0) means no rotation at all.
    x.a[1] = fftRotatedUnlessZero(s1, akp, akp * c1 - bkp * s1);
    x.b[1] = fftRotatedUnlessZero(s1, bkp, akp * s1 + bkp * c1);
    x.a[2] = fftRotatedUnlessZero(s1, ajp, ajp * c2 - bjp * s2);
    x.b[2] = fftRotatedUnlessZero(s1, bjp, ajp * s2 + bjp * c2);
    x.a[3] = fftRotatedUnlessZero(s1, akm, akm * c3 - bkm * s3);
    x.b[3] = fftRotatedUnlessZero(s1, bkm, akm * s3 + bkm * c3);
}

// One radix-2 butterfly per lane: sum into (a0, b0), rotated difference into (a1, b1).
template <typename U>
[[gnu::always_inline]] inline void radix2Butterfly(U& a0, U& b0, U& a1, U& b1, const float* c, const float* s)
{
    const U ak = a0 - a1;
    const U bk = b0 - b1;
    a0 = a0 + a1;
    b0 = b0 + b1;
    const U cv = fftLoad<U>(c);
    const U sv = fftLoad<U>(s);
    // A sine of exactly 0 (position 0) means no rotation at all.
    a1 = fftRotatedUnlessZero(sv, ak, cv * ak - sv * bk);
    b1 = fftRotatedUnlessZero(sv, bk, sv * ak + cv * bk);
}

// Pair j of the real split (k = last − j) in every lane: neighbouring j share a register with their k.
template <typename U>
[[gnu::always_inline]] inline void splitPairs(float* re, float* im, std::ptrdiff_t j, std::ptrdiff_t k, U cn, U sn)
{
    const U reJ = fftLoad<U>(re + j), reK = fftLoadMirrored<U>(re + k);
    const U imJ = fftLoad<U>(im + j), imK = fftLoadMirrored<U>(im + k);
    const U aa = reJ + reK;
    const U ab = reJ - reK;
    const U ba = imJ + imK;
    const U bb = imJ - imK;
    const U mixedRe = cn * ba + sn * ab;
    const U mixedIm = sn * ba - cn * ab;
    fftStoreMirrored(im + k, mixedIm - bb);
    fftStore(im + j, mixedIm + bb);
    fftStoreMirrored(re + k, aa - mixedRe);
    fftStore(re + j, aa + mixedRe);
}

template <typename T>
struct FftLaneKernels {
    static constexpr int Lanes = FftLanes<T>::count;
    static constexpr std::ptrdiff_t Group = Lanes < 4 ? 4 : Lanes;

    static const float* radix4At(const float* twiddles, std::ptrdiff_t m)
    {
        return twiddles + (m / Group) * 6 * Group + m % Group;
    }

    // Positions [m, positions) of one block, as many at a time as lanes of U allow, then narrower.
    template <typename U, typename Fly>
    static void runPositions(std::ptrdiff_t block, std::ptrdiff_t m, std::ptrdiff_t positions, const Fly& fly)
    {
        constexpr int width = FftLanes<U>::count;
        for (; m + width <= positions; m += width)
            fly.template operator()<U>(block + m, m);
        if constexpr (width > 1)
            runPositions<typename FftLanes<U>::Narrower>(block, m, positions, fly);
    }

    // fly.template operator()<U>(k, m) for every butterfly; when the positions of a block lie side
    // by side (a single dimension, stride 1) neighbouring ones share the lanes.
    template <typename Fly>
    static void forEachButterflyInLanes(const FftPassSpan& g, const Fly& fly, std::ptrdiff_t firstPosition = 0)
    {
        if (Lanes == 1 || g.jc != 1) {
            forEachButterfly(g, firstPosition,
                             [&](std::ptrdiff_t k, std::ptrdiff_t m) { fly.template operator()<float>(k, m); });
            return;
        }
        for (std::ptrdiff_t block = 0; block < g.nt; block += g.kspnn)
            runPositions<T>(block, firstPosition, g.positions(), fly);
    }

    // The last passes of a single dimension hold fewer positions per block than there are lanes, so
    // neighbouring blocks share the lanes instead: the inputs of one position in Lanes blocks are
    // gathered into buffers, where they lie side by side, transformed there and put back. Blocks left
    // over go one at a time.
    template <int Capacity, typename Fly>
    static void forEachButterflyAcrossBlocks(const FftPassSpan& g, const Fly& fly, int points)
    {
        alignas(64) float a[Capacity * Lanes];
        alignas(64) float b[Capacity * Lanes];
        Fly inBuffers = fly;
        inBuffers.a = a;
        inBuffers.b = b;
        inBuffers.kspan = Lanes;
        inBuffers.turn.sharedPosition = true;
        const std::ptrdiff_t positions = g.positions();
        const std::ptrdiff_t group = Lanes * g.kspnn;
        std::ptrdiff_t block = 0;
        for (; block + group <= g.nt; block += group)
            for (std::ptrdiff_t m = 0; m < positions; ++m) {
                for (int r = 0; r < points; ++r)
                    for (int l = 0; l < Lanes; ++l) {
                        a[r * Lanes + l] = fly.a[block + l * g.kspnn + r * g.kspan + m];
                        b[r * Lanes + l] = fly.b[block + l * g.kspnn + r * g.kspan + m];
                    }
                inBuffers.template operator()<T>(0, m);
                for (int r = 0; r < points; ++r)
                    for (int l = 0; l < Lanes; ++l) {
                        fly.a[block + l * g.kspnn + r * g.kspan + m] = a[r * Lanes + l];
                        fly.b[block + l * g.kspnn + r * g.kspan + m] = b[r * Lanes + l];
                    }
            }
        for (; block < g.nt; block += g.kspnn)
            for (std::ptrdiff_t m = 0; m < positions; ++m)
                fly.template operator()<float>(block + m, m);
    }

    // A butterfly of `points` inputs, at most Capacity.
    template <int Capacity, typename Fly>
    static void runOddRadixPass(const FftPassSpan& g, const Fly& fly, int points = Capacity)
    {
        if (Lanes > 1 && g.jc == 1 && g.positions() < 4)
            forEachButterflyAcrossBlocks<Capacity>(g, fly, points);
        else
            forEachButterflyInLanes(g, fly);
    }

    // The pass of an odd factor, then the rotation by (c1, s1) unless there is none: in the same sweep,
    // except for the scalar kernel, which keeps one pass per sweep as the reference.
    template <int Capacity, template <bool> typename Fly, typename... Constants>
    static void runOddFactor(float* a, float* b, const FftPassSpan& g, const float* c1, const float* s1, int points,
                             Constants... constants)
    {
        if (Lanes > 1 && c1) {
            runOddRadixPass<Capacity>(g, Fly<true>{a, b, g.kspan, constants..., {c1, s1}}, points);
            return;
        }
        runOddRadixPass<Capacity>(g, Fly<false>{a, b, g.kspan, constants...}, points);
        if (c1)
            forEachButterflyInLanes(g, RotationAtPositions{a, b, g.kspan, g.kspnn, {c1, s1}}, 1);
    }

    static void radix3Pass(float* a, float* b, const FftPassSpan& g, const FftDirection& dir, const float* c1,
                           const float* s1)
    {
        runOddFactor<3, Radix3AtPositions>(a, b, g, c1, s1, 3, dir.s120);
    }

    static void radix5Pass(float* a, float* b, const FftPassSpan& g, const FftDirection& dir, const float* c1,
                           const float* s1)
    {
        const float c2 = dir.c72 * dir.c72 - dir.s72 * dir.s72;
        const float s2 = 2.0f * dir.c72 * dir.s72;
        runOddFactor<5, Radix5AtPositions>(a, b, g, c1, s1, 5, dir.c72, dir.s72, c2, s2);
    }

    static void oddPass(float* a, float* b, const FftPassSpan& g, const FftOddFactorTable& table, const float* c1,
                        const float* s1)
    {
        runOddFactor<FftMaxPrimeFactor, OddAtPositions>(a, b, g, c1, s1, table.factor, &table);
    }

    // Radix-4 butterflies whose lanes are neighbouring positions of one block.
    template <bool Forward>
    struct Radix4AtPositions {
        float* a;
        float* b;
        std::ptrdiff_t kspan;
        const float* twiddles;

        template <typename U>
        [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
        {
            // Spelled out rather than looped so the values stay in registers.
            const std::ptrdiff_t k1 = k0 + kspan;
            const std::ptrdiff_t k2 = k1 + kspan;
            const std::ptrdiff_t k3 = k2 + kspan;
            Radix4Values<U> x{{fftLoad<U>(a + k0), fftLoad<U>(a + k1), fftLoad<U>(a + k2), fftLoad<U>(a + k3)},
                              {fftLoad<U>(b + k0), fftLoad<U>(b + k1), fftLoad<U>(b + k2), fftLoad<U>(b + k3)}};
            const float* t = radix4At(twiddles, m);
            radix4Butterfly<Forward>(x, fftLoad<U>(t), fftLoad<U>(t + Group), fftLoad<U>(t + 2 * Group),
                                     fftLoad<U>(t + 3 * Group), fftLoad<U>(t + 4 * Group), fftLoad<U>(t + 5 * Group));
            fftStore(a + k0, x.a[0]);
            fftStore(a + k1, x.a[1]);
            fftStore(a + k2, x.a[2]);
            fftStore(a + k3, x.a[3]);
            fftStore(b + k0, x.b[0]);
            fftStore(b + k1, x.b[1]);
            fftStore(b + k2, x.b[2]);
            fftStore(b + k3, x.b[3]);
        }
    };

    // The twiddles of position 0 in every lane.
    template <typename U>
    struct Radix4Broadcast {
        U c1, s1, c2, s2, c3, s3;

        explicit Radix4Broadcast(const float* t)
            : c1(fftBroadcast<U>(t[0])), s1(fftBroadcast<U>(t[Group])), c2(fftBroadcast<U>(t[2 * Group])),
              s2(fftBroadcast<U>(t[3 * Group])), c3(fftBroadcast<U>(t[4 * Group])), s3(fftBroadcast<U>(t[5 * Group]))
        {
        }
    };

    // The last pass of a single dimension: every butterfly is four neighbouring values at position 0.
    // Each group of four lanes takes four butterflies of a block of 16, turned into lanes by a
    // transpose; [k0, nt) is done with U and narrower types.
    template <bool Forward, typename U>
    static void radix4LastPassInLanes(float* a, float* b, std::ptrdiff_t k0, std::ptrdiff_t nt, const float* twiddles)
    {
        constexpr std::ptrdiff_t Step = 4 * FftLanes<U>::count;
        const Radix4Broadcast<U> t(twiddles);
        for (; k0 + Step <= nt; k0 += Step) {
            Radix4Values<U> x;
            fftLoadBlockRows(a + k0, x.a);
            fftLoadBlockRows(b + k0, x.b);
            fftTranspose(x.a);
            fftTranspose(x.b);
            radix4Butterfly<Forward>(x, t.c1, t.s1, t.c2, t.s2, t.c3, t.s3);
            fftTranspose(x.a);
            fftTranspose(x.b);
            fftStoreBlockRows(a + k0, x.a);
            fftStoreBlockRows(b + k0, x.b);
        }
        if constexpr (FftLanes<U>::count > 4)
            radix4LastPassInLanes<Forward, typename FftLanes<U>::Narrower>(a, b, k0, nt, twiddles);
        else
            for (; k0 < nt; k0 += 4)
                Radix4AtPositions<Forward>{a, b, 1, twiddles}.template operator()<float>(k0, 0);
    }

    // Lane m of row r is position m of the first pass; transposed, lane j of row r is value 4j + r.
    template <bool Forward, typename U>
    static void radix4LastTwoPassesInLanes(float* a, float* b, std::ptrdiff_t k0, std::ptrdiff_t nt,
                                           const float* twiddles, const float* last)
    {
        constexpr std::ptrdiff_t Step = 4 * FftLanes<U>::count;
        const U c1 = fftLoadRepeated4<U>(twiddles), s1 = fftLoadRepeated4<U>(twiddles + Group);
        const U c2 = fftLoadRepeated4<U>(twiddles + 2 * Group), s2 = fftLoadRepeated4<U>(twiddles + 3 * Group);
        const U c3 = fftLoadRepeated4<U>(twiddles + 4 * Group), s3 = fftLoadRepeated4<U>(twiddles + 5 * Group);
        const Radix4Broadcast<U> u(last);
        for (; k0 + Step <= nt; k0 += Step) {
            Radix4Values<U> x;
            fftLoadBlockRows(a + k0, x.a);
            fftLoadBlockRows(b + k0, x.b);
            radix4Butterfly<Forward>(x, c1, s1, c2, s2, c3, s3);
            fftTranspose(x.a);
            fftTranspose(x.b);
            radix4Butterfly<Forward>(x, u.c1, u.s1, u.c2, u.s2, u.c3, u.s3);
            fftTranspose(x.a);
            fftTranspose(x.b);
            fftStoreBlockRows(a + k0, x.a);
            fftStoreBlockRows(b + k0, x.b);
        }
        if constexpr (FftLanes<U>::count > 4)
            radix4LastTwoPassesInLanes<Forward, typename FftLanes<U>::Narrower>(a, b, k0, nt, twiddles, last);
    }

    template <bool Forward>
    static void radix4PassIn(float* a, float* b, const FftPassSpan& g, const float* twiddles)
    {
        if constexpr (Lanes > 1) {
            if (g.jc == 1 && g.kspan == 1) {
                radix4LastPassInLanes<Forward, T>(a, b, 0, g.nt, twiddles);
                return;
            }
        }
        forEachButterflyInLanes(g, Radix4AtPositions<Forward>{a, b, g.kspan, twiddles});
    }

    static void radix4Pass(float* a, float* b, const FftPassSpan& g, const float* twiddles, bool forward)
    {
        if (forward)
            radix4PassIn<true>(a, b, g, twiddles);
        else
            radix4PassIn<false>(a, b, g, twiddles);
    }

    static void radix4LastTwoPasses(float* a, float* b, const FftPassSpan& g, const float* twiddles,
                                    const float* last, bool forward)
    {
        if (forward)
            radix4LastTwoPassesInLanes<true, T>(a, b, 0, g.nt, twiddles, last);
        else
            radix4LastTwoPassesInLanes<false, T>(a, b, 0, g.nt, twiddles, last);
    }

    struct Radix2AtPositions {
        float* a;
        float* b;
        std::ptrdiff_t kspan;
        const float* c1;
        const float* s1;

        template <typename U>
        [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
        {
            const std::ptrdiff_t k1 = k0 + kspan;
            U a0 = fftLoad<U>(a + k0), a1 = fftLoad<U>(a + k1);
            U b0 = fftLoad<U>(b + k0), b1 = fftLoad<U>(b + k1);
            radix2Butterfly(a0, b0, a1, b1, c1 + m, s1 + m);
            fftStore(a + k0, a0);
            fftStore(a + k1, a1);
            fftStore(b + k0, b0);
            fftStore(b + k1, b1);
        }
    };

    static void radix2Pass(float* a, float* b, const FftPassSpan& g, const float* c1, const float* s1)
    {
        forEachButterflyInLanes(g, Radix2AtPositions{a, b, g.kspan, c1, s1});
    }

    // Two radix-2 passes in a row (kspan K, then K / 2) over each quarter-block of four values
    // k, k + K/2, k + K, k + 3K/2: the first pass's two butterflies, then the second's, in registers.
    struct Radix2PairAtPositions {
        float* a;
        float* b;
        std::ptrdiff_t kspan;      // K / 2
        std::ptrdiff_t positions;  // of the second pass: the first pass's other butterfly is this far on
        const float* c1;
        const float* s1;
        const float* nextC1;
        const float* nextS1;

        template <typename U>
        [[gnu::always_inline]] void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
        {
            U x0 = fftLoad<U>(a + k0), x1 = fftLoad<U>(a + k0 + kspan);
            U x2 = fftLoad<U>(a + k0 + 2 * kspan), x3 = fftLoad<U>(a + k0 + 3 * kspan);
            U y0 = fftLoad<U>(b + k0), y1 = fftLoad<U>(b + k0 + kspan);
            U y2 = fftLoad<U>(b + k0 + 2 * kspan), y3 = fftLoad<U>(b + k0 + 3 * kspan);
            radix2Butterfly(x0, y0, x2, y2, c1 + m, s1 + m);
            radix2Butterfly(x1, y1, x3, y3, c1 + m + positions, s1 + m + positions);
            radix2Butterfly(x0, y0, x1, y1, nextC1 + m, nextS1 + m);
            radix2Butterfly(x2, y2, x3, y3, nextC1 + m, nextS1 + m);
            fftStore(a + k0, x0);
            fftStore(a + k0 + kspan, x1);
            fftStore(a + k0 + 2 * kspan, x2);
            fftStore(a + k0 + 3 * kspan, x3);
            fftStore(b + k0, y0);
            fftStore(b + k0 + kspan, y1);
            fftStore(b + k0 + 2 * kspan, y2);
            fftStore(b + k0 + 3 * kspan, y3);
        }
    };

    static void radix2TwoPasses(float* a, float* b, const FftPassSpan& g, const float* c1, const float* s1,
                                const float* nextC1, const float* nextS1)
    {
        FftPassSpan quarters = g;
        quarters.kspan = g.kspan / 2;
        forEachButterflyInLanes(quarters,
                                Radix2PairAtPositions{a, b, quarters.kspan, quarters.positions(), c1, s1, nextC1, nextS1});
    }

    // Pairs [j, pairs) while the j and k of one register stay apart (the middle pair has j = k).
    template <typename U>
    static void realSplitFrom(float* re, float* im, std::ptrdiff_t j, std::ptrdiff_t last, std::ptrdiff_t pairs,
                              const float* cosines, const float* sines)
    {
        constexpr std::ptrdiff_t width = FftLanes<U>::count;
        if constexpr (width > 1) {
            for (; 2 * (j + width - 1) < last; j += width)
                splitPairs(re, im, j, last - j, fftLoad<U>(cosines + j), fftLoad<U>(sines + j));
            realSplitFrom<typename FftLanes<U>::Narrower>(re, im, j, last, pairs, cosines, sines);
        } else {
            for (; j < pairs; ++j)
                splitPairs(re, im, j, last - j, cosines[j], sines[j]);
        }
    }

    static void realSplit(float* re, float* im, std::ptrdiff_t last, std::ptrdiff_t pairs, const float* cosines,
                          const float* sines)
    {
        realSplitFrom<T>(re, im, 0, last, pairs, cosines, sines);
    }

    template <typename U>
    static void packRealFrom(const float* samples, std::size_t j, std::size_t n, float* re, float* im)
    {
        constexpr std::size_t width = FftLanes<U>::count;
        if constexpr (width > 1) {
            for (; j + width <= n; j += width) {
                U even, odd;
                fftDeinterleave(samples + 2 * j, even, odd);
                fftStore(re + j, even);
                fftStore(im + j, odd);
            }
            packRealFrom<typename FftLanes<U>::Narrower>(samples, j, n, re, im);
        } else {
            for (; j < n; ++j) {
                re[j] = samples[2 * j];
                im[j] = samples[2 * j + 1];
            }
        }
    }

    static void packReal(const float* samples, std::size_t n, float* re, float* im)
    {
        packRealFrom<T>(samples, 0, n, re, im);
    }

    // A block of w = 4g rows of w values, g = 2 or 4 being the radix of the second high digit: row
    // i = g·a + b holds the values of high digits (a, b) and lane 4c + d those of the two lowest low
    // digits (c, d). Transposing the groups of four lanes across b, then the lanes within each group
    // across a, leaves row g·d + c holding lane 4b + a: both digit pairs mirrored into each other,
    // which is what the exchanges do to them.
    template <typename U>
    static void mirrorBlock(const float* from, std::ptrdiff_t fromStride, float* to, std::ptrdiff_t toStride)
    {
        constexpr int G = FftLanes<U>::count / 4;
        U v[4 * G];
#pragma GCC unroll 16
        for (int i = 0; i < 4 * G; ++i)
            v[i] = fftLoad<U>(from + i * fromStride);
#pragma GCC unroll 4
        for (int a = 0; a < 4; ++a) {
            U x[G];
#pragma GCC unroll 4
            for (int b = 0; b < G; ++b)
                x[b] = v[G * a + b];
            fftTransposeGroups(x);
#pragma GCC unroll 4
            for (int b = 0; b < G; ++b)
                v[G * a + b] = x[b];
        }
#pragma GCC unroll 4
        for (int c = 0; c < G; ++c) {
            U x[4] = {v[c], v[G + c], v[2 * G + c], v[3 * G + c]};
            fftTranspose(x);
            v[c] = x[0];
            v[G + c] = x[1];
            v[2 * G + c] = x[2];
            v[3 * G + c] = x[3];
        }
#pragma GCC unroll 16
        for (int i = 0; i < 4 * G; ++i)
            fftStore(to + i * toStride, v[i]);
    }

    // A block and its partner trade places through a buffer; a block that is its own partner stays.
    template <typename U>
    static void mirrorBlocks(float* x, std::ptrdiff_t rowStride, const FftSubBlockPair* pairs, std::size_t count)
    {
        constexpr int Side = FftLanes<U>::count;
        alignas(64) float buffer[Side * Side];
        for (std::size_t i = 0; i < count; ++i) {
            float* from = x + pairs[i].from;
            float* to = x + pairs[i].to;
            if (from == to) {
                mirrorBlock<U>(from, rowStride, from, rowStride);
                continue;
            }
            mirrorBlock<U>(from, rowStride, buffer, Side);
            mirrorBlock<U>(to, rowStride, from, rowStride);
#pragma GCC unroll 16
            for (int r = 0; r < Side; ++r)
                fftStore(to + r * rowStride, fftLoad<U>(buffer + Side * r));
        }
    }

    static constexpr FftKernelTable table()
    {
        FftKernelTable t{Lanes,       int(Group), &radix2Pass, nullptr,    &radix4Pass, nullptr,
                         &radix3Pass, &radix5Pass, &oddPass,    &realSplit,  &packReal,
                         nullptr,     nullptr};
        if constexpr (Lanes > 1) {
            t.radix2TwoPasses = &radix2TwoPasses;
            t.radix4LastTwoPasses = &radix4LastTwoPasses;
        }
        if constexpr (Lanes == 16) {
            t.mirrorBlocks16 = &mirrorBlocks<T>;
            t.mirrorBlocks8 = &mirrorBlocks<typename FftLanes<T>::Narrower>;
        } else if constexpr (Lanes == 8) {
            t.mirrorBlocks8 = &mirrorBlocks<T>;
        }
        return t;
    }
};

}  // namespace
