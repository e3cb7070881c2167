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
    const FftPassSpan& g;
    const FftTwiddles& w;

    template <typename T>
    void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        // Spelled out rather than looped so the values stay in registers.
        const std::ptrdiff_t k1 = k0 + g.kspan;
        const std::ptrdiff_t k2 = k1 + g.kspan;
        const std::ptrdiff_t k3 = k2 + g.kspan;
        Radix4Values<T> x{{fftLoad<T>(a + k0), fftLoad<T>(a + k1), fftLoad<T>(a + k2), fftLoad<T>(a + k3)},
                          {fftLoad<T>(b + k0), fftLoad<T>(b + k1), fftLoad<T>(b + k2), fftLoad<T>(b + k3)}};
        radix4Butterfly<Forward>(x, fftLoad<T>(w.c1.data() + m), fftLoad<T>(w.s1.data() + m),
                                 fftLoad<T>(w.c2.data() + m), fftLoad<T>(w.s2.data() + m),
                                 fftLoad<T>(w.c3.data() + m), fftLoad<T>(w.s3.data() + m));
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

// The last pass of a single dimension: every butterfly is four neighbouring values at position 0.
// Four butterflies at a time are turned into lanes by transposing 4 x 4 values.
template <bool Forward>
void radix4LastPassInLanes(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w)
{
    std::ptrdiff_t k0 = 0;
    const FftFloat4 c1 = fftBroadcast(w.c1[0]), s1 = fftBroadcast(w.s1[0]);
    const FftFloat4 c2 = fftBroadcast(w.c2[0]), s2 = fftBroadcast(w.s2[0]);
    const FftFloat4 c3 = fftBroadcast(w.c3[0]), s3 = fftBroadcast(w.s3[0]);
    for (; k0 + 16 <= g.nt; k0 += 16) {
        Radix4Values<FftFloat4> x;
        fftLoadTransposed(a + k0, x.a);
        fftLoadTransposed(b + k0, x.b);
        radix4Butterfly<Forward>(x, c1, s1, c2, s2, c3, s3);
        fftStoreTransposed(a + k0, x.a);
        fftStoreTransposed(b + k0, x.b);
    }
    for (; k0 < g.nt; k0 += 4)
        Radix4AtPositions<Forward>{a, b, g, w}.template operator()<float>(k0, 0);
}

template <bool Forward>
void radix4Pass(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, FftKernel kernel)
{
    if (kernel == FftKernel::Sse2 && g.jc == 1 && g.kspan == 1)
        radix4LastPassInLanes<Forward>(a, b, g, w);
    else
        forEachButterflyInLanes(g, kernel, Radix4AtPositions<Forward>{a, b, g, w});
}

struct Radix2Butterfly {
    float* a;
    float* b;
    const FftPassSpan& g;
    const FftTwiddles& w;

    template <typename T>
    void operator()(std::ptrdiff_t k0, std::ptrdiff_t m) const
    {
        const std::ptrdiff_t k1 = k0 + g.kspan;
        const T a0 = fftLoad<T>(a + k0), a1 = fftLoad<T>(a + k1);
        const T b0 = fftLoad<T>(b + k0), b1 = fftLoad<T>(b + k1);
        const T ak = a0 - a1;
        const T bk = b0 - b1;
        fftStore(a + k0, a0 + a1);
        fftStore(b + k0, b0 + b1);
        const T c = fftLoad<T>(w.c1.data() + m);
        const T s = fftLoad<T>(w.s1.data() + m);
        // A sine of exactly 0 (position 0) means no rotation at all.
        fftStore(a + k1, fftRotatedUnlessZero(s, ak, c * ak - s * bk));
        fftStore(b + k1, fftRotatedUnlessZero(s, bk, s * ak + c * bk));
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
    for (auto* v : {&w.c1, &w.s1, &w.c2, &w.s2, &w.c3, &w.s3})
        v->resize(std::size_t(positions));
    float c1 = 1.0f;
    float s1 = 0.0f;
    float c2 = 1.0f;
    float s2 = 0.0f;
    float c3 = 1.0f;
    float s3 = 0.0f;
    for (std::size_t m = 0; m < std::size_t(positions); ++m) {
        w.c1[m] = c1;
        w.s1[m] = s1;
        w.c2[m] = c2;
        w.s2[m] = s2;
        w.c3[m] = c3;
        w.s3[m] = s3;
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

void fftRadix4Pass(float* a, float* b, const FftPassSpan& g, const FftTwiddles& w, bool forward, FftKernel kernel)
{
    if (forward)
        radix4Pass<true>(a, b, g, w, kernel);
    else
        radix4Pass<false>(a, b, g, w, kernel);
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
