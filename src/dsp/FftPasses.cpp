#include "dsp/FftPasses.h"

#include <cmath>

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
