#include "dsp/FftPasses.h"

#include <cmath>

#include "dsp/FftForEachButterfly.h"

namespace {
constexpr float TwoPi = 6.2831855f;
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

FftTwiddles FftTwiddles::forRadix4(std::ptrdiff_t positions, const FftRotation& step, std::ptrdiff_t group)
{
    FftTwiddles w;
    w.group = group;
    w.radix4.resize(std::size_t((positions + group - 1) / group * 6 * group));
    float c1 = 1.0f;
    float s1 = 0.0f;
    float c2 = 1.0f;
    float s2 = 0.0f;
    float c3 = 1.0f;
    float s3 = 0.0f;
    for (std::ptrdiff_t m = 0; m < positions; ++m) {
        float* t = w.radix4.data() + (m / group) * 6 * group + m % group;
        t[0] = c1;
        t[group] = s1;
        t[2 * group] = c2;
        t[3 * group] = s2;
        t[4 * group] = c3;
        t[5 * group] = s3;
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
