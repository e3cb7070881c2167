#include "dsp/FftPasses.h"

#include <cmath>

#include "dsp/FftLanes.h"

namespace {

constexpr float TwoPi = 6.2831855f;

// Calls fly(k, m) for the first input k of every butterfly, m being its twiddle position. Blocks
// run outermost so that each sweep walks the data once, front to back, however large it is.
template <typename Fly>
inline void forEachButterfly(const FftPassSpan& g, std::ptrdiff_t firstPosition, Fly&& fly)
{
    const std::ptrdiff_t positions = g.positions();
    for (std::ptrdiff_t block = 0; block < g.nt; block += g.kspnn)
        for (std::ptrdiff_t m = firstPosition; m < positions; ++m)
            for (std::ptrdiff_t k = block + m * g.jc; k < block + (m + 1) * g.jc; k += g.inc)
                fly(k, m);
}

// As forEachButterfly, with fly.template operator()<T>(k, m) on lane type T. When the positions
// of a block lie side by side (a single dimension, stride 1), four of them run at once.
template <typename Fly>
inline void forEachButterflyInLanes(const FftPassSpan& g, FftKernel kernel, Fly&& fly)
{
    if (kernel == FftKernel::Scalar || g.jc != 1) {
        forEachButterfly(g, 0, [&](std::ptrdiff_t k, std::ptrdiff_t m) { fly.template operator()<float>(k, m); });
        return;
    }
    const std::ptrdiff_t positions = g.positions();
    for (std::ptrdiff_t block = 0; block < g.nt; block += g.kspnn) {
        std::ptrdiff_t m = 0;
        for (; m + 4 <= positions; m += 4)
            fly.template operator()<FftFloat4>(block + m, m);
        for (; m < positions; ++m)
            fly.template operator()<float>(block + m, m);
    }
}

// The four inputs of radix-4 butterflies, real parts in a and imaginary parts in b, one butterfly
// per lane; the butterfly overwrites them with its outputs.
template <typename T>
struct Radix4Values {
    T a[4];
    T b[4];
};

template <bool Forward, typename T>
inline void radix4Butterfly(Radix4Values<T>& x, T c1, T s1, T c2, T s2, T c3, T s3)
{
    T akp = x.a[0] + x.a[2];
    T akm = x.a[0] - x.a[2];
    T ajp = x.a[1] + x.a[3];
    const T ajm = x.a[1] - x.a[3];
    x.a[0] = akp + ajp;
    ajp = akp - ajp;
    T bkp = x.b[0] + x.b[2];
    T bkm = x.b[0] - x.b[2];
    T bjp = x.b[1] + x.b[3];
    const T bjm = x.b[1] - x.b[3];
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

// Radix-4 butterflies whose lanes are neighbouring positions of one block.
template <bool Forward>
struct Radix4AtPositions {
    float* a;
    float* b;
    std::ptrdiff_t kspan;
    const FftTwiddles& w;

    template <typename T>
    void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        // Spelled out rather than looped so the values stay in registers.
        const std::ptrdiff_t k1 = k0 + kspan;
        const std::ptrdiff_t k2 = k1 + kspan;
        const std::ptrdiff_t k3 = k2 + kspan;
        Radix4Values<T> x{{fftLoad<T>(a + k0), fftLoad<T>(a + k1), fftLoad<T>(a + k2), fftLoad<T>(a + k3)},
                          {fftLoad<T>(b + k0), fftLoad<T>(b + k1), fftLoad<T>(b + k2), fftLoad<T>(b + k3)}};
        const float* t = w.radix4At(m);
        radix4Butterfly<Forward>(x, fftLoad<T>(t), fftLoad<T>(t + 4), fftLoad<T>(t + 8), fftLoad<T>(t + 12),
                                 fftLoad<T>(t + 16), fftLoad<T>(t + 20));
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

// The twiddles of one position in every lane.
struct Radix4Broadcast {
    FftFloat4 c1, s1, c2, s2, c3, s3;

    explicit Radix4Broadcast(const float* t)
        : c1(fftBroadcast(t[0])), s1(fftBroadcast(t[4])), c2(fftBroadcast(t[8])), s2(fftBroadcast(t[12])),
          c3(fftBroadcast(t[16])), s3(fftBroadcast(t[20]))
    {
    }
};

// The last pass of a single dimension: every butterfly is four neighbouring values at position 0.
// Four butterflies at a time are turned into lanes by transposing 4 x 4 values.
template <bool Forward>
void radix4LastPassInLanes(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w)
{
    std::ptrdiff_t k0 = 0;
    const Radix4Broadcast t(w.radix4At(0));
    for (; k0 + 16 <= g.nt; k0 += 16) {
        Radix4Values<FftFloat4> x;
        fftLoadTransposed(a + k0, x.a);
        fftLoadTransposed(b + k0, x.b);
        radix4Butterfly<Forward>(x, t.c1, t.s1, t.c2, t.s2, t.c3, t.s3);
        fftStoreTransposed(a + k0, x.a);
        fftStoreTransposed(b + k0, x.b);
    }
    for (; k0 < g.nt; k0 += 4)
        Radix4AtPositions<Forward>{a, b, g.kspan, w}.template operator()<float>(k0, 0);
}

template <bool Forward>
void radix4LastTwoPassesInLanes(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w,
                                const FftTwiddles& last)
{
    // Lane m of row r is position m of the first pass; transposed, lane j of row r is value 4j + r.
    const float* t = w.radix4At(0);
    const FftFloat4 c1 = fftLoad<FftFloat4>(t), s1 = fftLoad<FftFloat4>(t + 4);
    const FftFloat4 c2 = fftLoad<FftFloat4>(t + 8), s2 = fftLoad<FftFloat4>(t + 12);
    const FftFloat4 c3 = fftLoad<FftFloat4>(t + 16), s3 = fftLoad<FftFloat4>(t + 20);
    const Radix4Broadcast u(last.radix4At(0));
    for (std::ptrdiff_t k0 = 0; k0 < g.nt; k0 += 16) {
        Radix4Values<FftFloat4> x;
        for (int r = 0; r < 4; ++r) {
            x.a[r] = fftLoad<FftFloat4>(a + k0 + 4 * r);
            x.b[r] = fftLoad<FftFloat4>(b + k0 + 4 * r);
        }
        radix4Butterfly<Forward>(x, c1, s1, c2, s2, c3, s3);
        fftTranspose(x.a);
        fftTranspose(x.b);
        radix4Butterfly<Forward>(x, u.c1, u.s1, u.c2, u.s2, u.c3, u.s3);
        fftStoreTransposed(a + k0, x.a);
        fftStoreTransposed(b + k0, x.b);
    }
}

template <bool Forward>
void radix4Pass(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, FftKernel kernel)
{
    if (kernel == FftKernel::Sse2 && g.jc == 1 && g.kspan == 1)
        radix4LastPassInLanes<Forward>(a, b, g, w);
    else
        forEachButterflyInLanes(g, kernel, Radix4AtPositions<Forward>{a, b, g.kspan, w});
}

// Two radix-2 passes in a row (kspan K, then K / 2) over each quarter-block of four values
// k, k + K/2, k + K, k + 3K/2: the first pass's two butterflies, then the second's, in registers.
struct Radix2PairButterflies {
    float* a;
    float* b;
    std::ptrdiff_t kspan;      // K / 2
    std::ptrdiff_t positions;  // of the second pass: the first pass's other butterfly is this far on
    const FftTwiddles& w;
    const FftTwiddles& next;

    template <typename T>
    static void fly(T& a0, T& b0, T& a1, T& b1, const float* c, const float* s)
    {
        const T ak = a0 - a1;
        const T bk = b0 - b1;
        a0 = a0 + a1;
        b0 = b0 + b1;
        const T cv = fftLoad<T>(c);
        const T sv = fftLoad<T>(s);
        // A sine of exactly 0 (position 0) means no rotation at all.
        a1 = fftRotatedUnlessZero(sv, ak, cv * ak - sv * bk);
        b1 = fftRotatedUnlessZero(sv, bk, sv * ak + cv * bk);
    }

    template <typename T>
    void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        T x[4], y[4];
        for (int r = 0; r < 4; ++r) {
            x[r] = fftLoad<T>(a + k0 + r * kspan);
            y[r] = fftLoad<T>(b + k0 + r * kspan);
        }
        fly(x[0], y[0], x[2], y[2], w.c1.data() + m, w.s1.data() + m);
        fly(x[1], y[1], x[3], y[3], w.c1.data() + m + positions, w.s1.data() + m + positions);
        fly(x[0], y[0], x[1], y[1], next.c1.data() + m, next.s1.data() + m);
        fly(x[2], y[2], x[3], y[3], next.c1.data() + m, next.s1.data() + m);
        for (int r = 0; r < 4; ++r) {
            fftStore(a + k0 + r * kspan, x[r]);
            fftStore(b + k0 + r * kspan, y[r]);
        }
    }
};

struct Radix2Butterfly {
    float* a;
    float* b;
    const FftPassSpan& g;
    const FftTwiddles& w;

    template <typename T>
    void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        const std::ptrdiff_t k1 = k0 + g.kspan;
        T a0 = fftLoad<T>(a + k0), a1 = fftLoad<T>(a + k1);
        T b0 = fftLoad<T>(b + k0), b1 = fftLoad<T>(b + k1);
        Radix2PairButterflies::fly(a0, b0, a1, b1, w.c1.data() + m, w.s1.data() + m);
        fftStore(a + k0, a0);
        fftStore(a + k1, a1);
        fftStore(b + k0, b0);
        fftStore(b + k1, b1);
    }
};

}  // namespace

FftDirection FftDirection::fromSign(int sign)
{
    const bool forward = sign < 0;
    const float rad = forward ? -TwoPi : TwoPi;
    const float root = std::sqrt(0.75f);
    return {forward, rad, forward ? -root : root, std::cos(rad / 5.0f), std::sin(rad / 5.0f)};
}

void FftOddFactorTable::build(int p, float rad)
{
    factor = p;
    const float angle = rad / float(p);
    const float c1 = std::cos(angle);
    const float s1 = std::sin(angle);
    ck[0] = 1.0f;
    sk[0] = 0.0f;
    // Each entry turns the conjugate of the previous one; the upper half mirrors the lower.
    for (int j = 1, k = p - 1; j <= k; ++j, --k) {
        const int from = (p - j + 1) % p;
        ck[j] = ck[from] * c1 + sk[from] * s1;
        sk[j] = ck[from] * s1 - sk[from] * c1;
        ck[k] = ck[j];
        sk[k] = -sk[j];
    }
}

FftTwiddles FftTwiddles::forRadix2(std::ptrdiff_t positions, const FftRotation& step)
{
    // The recurrence runs up to the middle position; position M - m turns by π minus the angle
    // of m, which is the same sine with the cosine negated. Position 0 is not rotated.
    FftTwiddles w;
    w.c1.assign(std::size_t(positions), 1.0f);
    w.s1.assign(std::size_t(positions), 0.0f);
    float c = 1.0f - step.cd;
    float s = step.sd;
    for (std::ptrdiff_t m = 1; 2 * m <= positions; ++m) {
        w.c1[std::size_t(m)] = c;
        w.s1[std::size_t(m)] = s;
        if (positions - m > m) {
            w.c1[std::size_t(positions - m)] = -c;
            w.s1[std::size_t(positions - m)] = s;
        }
        step.advance(c, s);
    }
    return w;
}

FftTwiddles FftTwiddles::forRadix4(std::ptrdiff_t positions, const FftRotation& step)
{
    FftTwiddles w;
    w.radix4.resize(std::size_t((positions + 3) / 4 * 24));
    float c1 = 1.0f;
    float s1 = 0.0f;
    float c2 = 1.0f;
    float s2 = 0.0f;
    float c3 = 1.0f;
    float s3 = 0.0f;
    for (std::ptrdiff_t m = 0; m < positions; ++m) {
        float* t = w.radix4.data() + (m / 4) * 24 + m % 4;
        t[0] = c1;
        t[4] = s1;
        t[8] = c2;
        t[12] = s2;
        t[16] = c3;
        t[20] = s3;
        step.advance(c1, s1);
        c2 = c1 * c1 - s1 * s1;
        s2 = 2.0f * c1 * s1;
        c3 = c2 * c1 - s2 * s1;
        s3 = c2 * s1 + s2 * c1;
    }
    return w;
}

FftTwiddles FftTwiddles::forRotation(std::ptrdiff_t positions, const FftRotation& step)
{
    FftTwiddles w;
    w.c1.assign(std::size_t(positions), 1.0f);
    w.s1.assign(std::size_t(positions), 0.0f);
    float c = 1.0f - step.cd;
    float s = step.sd;
    for (std::size_t m = 1; m < std::size_t(positions); ++m) {
        w.c1[m] = c;
        w.s1[m] = s;
        step.advance(c, s);
    }
    return w;
}

void fftRadix2Pass(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, FftKernel kernel)
{
    forEachButterflyInLanes(g, kernel, Radix2Butterfly{a, b, g, w});
}

void fftRadix2TwoPasses(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, const FftTwiddles& next)
{
    FftPassSpan quarters = g;
    quarters.kspan = g.kspan / 2;
    forEachButterflyInLanes(quarters, FftKernel::Sse2,
                            Radix2PairButterflies{a, b, quarters.kspan, quarters.positions(), w, next});
}

void fftRadix4Pass(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, bool forward, FftKernel kernel)
{
    if (forward)
        radix4Pass<true>(a, b, g, w, kernel);
    else
        radix4Pass<false>(a, b, g, w, kernel);
}

void fftRadix4LastTwoPasses(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, const FftTwiddles& last,
                            bool forward)
{
    if (forward)
        radix4LastTwoPassesInLanes<true>(a, b, g, w, last);
    else
        radix4LastTwoPassesInLanes<false>(a, b, g, w, last);
}

void fftRadix3Pass(float* a, float* b, const FftPassSpan& g, const FftDirection& dir)
{
    forEachButterfly(g, 0, [&](std::ptrdiff_t k0, std::ptrdiff_t) {
        const std::ptrdiff_t k1 = k0 + g.kspan;
        const std::ptrdiff_t k2 = k1 + g.kspan;
        float ak = a[k0];
        float bk = b[k0];
        float aj = a[k1] + a[k2];
        float bj = b[k1] + b[k2];
        a[k0] = ak + aj;
        b[k0] = bk + bj;
        ak = -0.5f * aj + ak;
        bk = -0.5f * bj + bk;
        aj = (a[k1] - a[k2]) * dir.s120;
        bj = (b[k1] - b[k2]) * dir.s120;
        a[k1] = ak - bj;
        b[k1] = bk + aj;
        a[k2] = ak + bj;
        b[k2] = bk - aj;
    });
}

void fftRadix5Pass(float* a, float* b, const FftPassSpan& g, const FftDirection& dir)
{
    const float c72 = dir.c72;
    const float s72 = dir.s72;
    const float c2 = c72 * c72 - s72 * s72;
    const float s2 = 2.0f * c72 * s72;
    forEachButterfly(g, 0, [&](std::ptrdiff_t k0, std::ptrdiff_t) {
        const std::ptrdiff_t k1 = k0 + g.kspan;
        const std::ptrdiff_t k2 = k1 + g.kspan;
        const std::ptrdiff_t k3 = k2 + g.kspan;
        const std::ptrdiff_t k4 = k3 + g.kspan;
        const float akp = a[k1] + a[k4];
        const float akm = a[k1] - a[k4];
        const float bkp = b[k1] + b[k4];
        const float bkm = b[k1] - b[k4];
        const float ajp = a[k2] + a[k3];
        const float ajm = a[k2] - a[k3];
        const float bjp = b[k2] + b[k3];
        const float bjm = b[k2] - b[k3];
        const float aa = a[k0];
        const float bb = b[k0];
        a[k0] = aa + akp + ajp;
        b[k0] = bb + bkp + bjp;
        float ak = akp * c72 + ajp * c2 + aa;
        float bk = bkp * c72 + bjp * c2 + bb;
        float aj = akm * s72 + ajm * s2;
        float bj = bkm * s72 + bjm * s2;
        a[k1] = ak - bj;
        a[k4] = ak + bj;
        b[k1] = bk + aj;
        b[k4] = bk - aj;
        ak = akp * c2 + ajp * c72 + aa;
        bk = bkp * c2 + bjp * c72 + bb;
        aj = akm * s2 - ajm * s72;
        bj = bkm * s2 - bjm * s72;
        a[k2] = ak - bj;
        a[k3] = ak + bj;
        b[k2] = bk + aj;
        b[k3] = bk - aj;
    });
}

void fftOddPass(float* a, float* b, const FftPassSpan& g, const FftOddFactorTable& table)
{
    const int p = table.factor;
    const int half = (p - 1) / 2;
    forEachButterfly(g, 0, [&](std::ptrdiff_t k0, std::ptrdiff_t) {
        // Sums and differences of the input pairs i and p - i.
        std::array<float, 12> sumA, sumB, difA, difB;
        const float aa = a[k0];
        const float bb = b[k0];
        float ak = aa;
        float bk = bb;
        for (int i = 1; i <= half; ++i) {
            const std::ptrdiff_t k1 = k0 + i * g.kspan;
            const std::ptrdiff_t k2 = k0 + g.kspnn - i * g.kspan;
            sumA[i] = a[k1] + a[k2];
            ak = sumA[i] + ak;
            sumB[i] = b[k1] + b[k2];
            bk = sumB[i] + bk;
            difA[i] = a[k1] - a[k2];
            difB[i] = b[k1] - b[k2];
        }
        a[k0] = ak;
        b[k0] = bk;
        for (int j = 1; j <= half; ++j) {
            float cosA = aa;
            float cosB = bb;
            float sinA = 0.0f;
            float sinB = 0.0f;
            int jj = j;
            for (int i = 1; i <= half; ++i) {
                cosA = sumA[i] * table.ck[jj] + cosA;
                cosB = sumB[i] * table.ck[jj] + cosB;
                sinA = difA[i] * table.sk[jj] + sinA;
                sinB = difB[i] * table.sk[jj] + sinB;
                jj += j;
                if (jj >= p)
                    jj -= p;
            }
            const std::ptrdiff_t k1 = k0 + j * g.kspan;
            const std::ptrdiff_t k2 = k0 + g.kspnn - j * g.kspan;
            a[k1] = cosA - sinB;
            b[k1] = cosB + sinA;
            a[k2] = cosA + sinB;
            b[k2] = cosB - sinA;
        }
    });
}

void fftRotationPass(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w)
{
    // Output r of a butterfly turns by w^r, built by repeated multiplication with the position's
    // twiddle w in the same order for every block.
    forEachButterfly(g, 1, [&](std::ptrdiff_t k0, std::ptrdiff_t m) {
        const float c1 = w.c1[std::size_t(m)];
        const float s1 = w.s1[std::size_t(m)];
        float c2 = c1;
        float s2 = s1;
        for (std::ptrdiff_t k = k0 + g.kspan; k < k0 + g.kspnn; k += g.kspan) {
            const float ak = a[k];
            a[k] = c2 * ak - s2 * b[k];
            b[k] = s2 * ak + c2 * b[k];
            const float t = s1 * s2;
            s2 = s1 * c2 + c1 * s2;
            c2 = c1 * c2 - t;
        }
    });
}
