#pragma once
// Where an FFT pass's butterflies lie, and the twiddles and constants the passes use.
#include <array>
#include <cstddef>
#include <vector>

#include "dsp/FftRotation.h"

// Where the butterflies of one pass lie, in array indices (the stride already included).
struct FftPassSpan {
    std::ptrdiff_t inc;    // distance between successive values
    std::ptrdiff_t nt;     // end of the data: stride times the total number of values
    std::ptrdiff_t jc;     // distance between successive points of the transformed dimension
    std::ptrdiff_t kspan;  // distance between the inputs of one butterfly
    std::ptrdiff_t kspnn;  // factor times kspan: the block one set of butterflies covers

    std::ptrdiff_t positions() const { return kspan / jc; }
};

// Constants that depend only on the direction of the transform.
struct FftDirection {
    bool forward;
    float rad;   // 2π, negative for the forward transform
    float s120;  // sin(2π/3) as √0.75, with the sign of rad
    float c72;   // cos(2π/5)
    float s72;   // sin(2π/5), with the sign of rad

    static FftDirection fromSign(int sign);
};

// cos and sin of the multiples of 2π/p for one odd factor p, built by recurrence and mirroring.
struct FftOddFactorTable {
    int factor = 0;
    std::array<float, 23> ck{};
    std::array<float, 23> sk{};

    void build(int p, float rad);
};

// The twiddles of one pass by position, the recurrence run once and in order: w in c1/s1, or for
// radix 4 w, w² and w³ interleaved so that one stream feeds neighbouring butterflies.
struct FftTwiddles {
    std::vector<float> c1, s1;
    // Per group of `group` positions: c1, s1, c2, s2, c3, s3, each for the group's positions in turn
    // (the group as wide as the kernel's lanes, so that each twiddle loads as one register).
    std::vector<float> radix4;
    std::ptrdiff_t group = 4;

    // Radix-4 twiddle r (0..5 as above) of position m is radix4At(m)[group * r].
    const float* radix4At(std::ptrdiff_t m) const { return radix4.data() + (m / group) * 6 * group + m % group; }

    static FftTwiddles forRadix2(std::ptrdiff_t positions, const FftRotation& step);
    static FftTwiddles forRadix4(std::ptrdiff_t positions, const FftRotation& step, std::ptrdiff_t group);
    static FftTwiddles forRotation(std::ptrdiff_t positions, const FftRotation& step);
};

