#pragma once
// The instruction sets the butterflies, the rotations, the real split and the exchanges run on.
#include <cstddef>

#include "dsp/FftPasses.h"

// Scalar is the reference: one butterfly at a time, one pass per sweep, exchanges pair by pair. The others
// run neighbouring butterflies side by side in 4, 8 or 16 lanes, fuse some passes and exchange by tiles;
// every one gives results bit-identical to the scalar kernel.
enum class FftKernel { Scalar, Sse2, Avx2, Avx512 };

// A block of the exchanges moved from one place to another (the same place when it stays).
struct FftSubBlockPair {
    std::ptrdiff_t from;
    std::ptrdiff_t to;
};

// One kernel's routines. Radix-4 twiddles come grouped by radix4Group positions: twiddle r (0 … 5 as
// in FftTwiddles) of position m is radix4[(m / group) · 6 · group + r · group + m % group].
struct FftKernelTable {
    int lanes;
    int radix4Group;
    void (*radix2Pass)(float* a, float* b, const FftPassSpan& g, const float* c1, const float* s1);
    // Two radix-2 passes in a row (g and c1, s1 those of the first) with each value going through
    // both while in registers; none for the scalar kernel.
    void (*radix2TwoPasses)(float* a, float* b, const FftPassSpan& g, const float* c1, const float* s1,
                            const float* nextC1, const float* nextS1);
    void (*radix4Pass)(float* a, float* b, const FftPassSpan& g, const float* radix4, bool forward);
    // The last two radix-4 passes of a single unit-stride dimension (g those of the first, kspan 4)
    // with each block of 16 values in registers between the two; none for the scalar kernel.
    void (*radix4LastTwoPasses)(float* a, float* b, const FftPassSpan& g, const float* radix4,
                                const float* lastRadix4, bool forward);
    // Radix 3, 5 and the other odd factors, each followed by the rotation that turns output r of the
    // butterfly at position m by (c1[m], s1[m])^r, unless c1 is null (the last pass).
    void (*radix3Pass)(float* a, float* b, const FftPassSpan& g, const FftDirection& dir, const float* c1,
                       const float* s1);
    void (*radix5Pass)(float* a, float* b, const FftPassSpan& g, const FftDirection& dir, const float* c1,
                       const float* s1);
    void (*oddPass)(float* a, float* b, const FftPassSpan& g, const FftOddFactorTable& table, const float* c1,
                    const float* s1);
    // Pairs j = 0 … pairs − 1 with k = last − j of the real split at unit stride (FftRealSplitPlan).
    void (*realSplit)(float* re, float* im, std::ptrdiff_t last, std::ptrdiff_t pairs, const float* cosines,
                      const float* sines);
    // Samples 2j and 2j + 1 into re[j] and im[j], j < n (fftPackReal).
    void (*packReal)(const float* samples, std::size_t n, float* re, float* im);
    // Square blocks of w rows of w values, rows rowStride apart, each written mirrored into its
    // partner (FftPermutation): w = 8 and w = 16, for the kernels whose registers hold a row.
    using MirrorBlocks = void (*)(float* x, std::ptrdiff_t rowStride, const FftSubBlockPair* pairs, std::size_t count);
    MirrorBlocks mirrorBlocks8;
    MirrorBlocks mirrorBlocks16;
};

// Whether this processor (and its system) runs the kernel.
bool fftKernelRuns(FftKernel kernel);
// The widest kernel that runs here, chosen once.
FftKernel fftFastestKernel();
const FftKernelTable& fftKernelTable(FftKernel kernel);

// What `kernel` takes of four things made one per kernel, such as a table of its routines.
template <typename Thing>
const Thing& ofKernel(FftKernel kernel, const Thing& scalar, const Thing& sse2, const Thing& avx2, const Thing& avx512)
{
    switch (kernel) {
    case FftKernel::Scalar:
        return scalar;
    case FftKernel::Avx2:
        return avx2;
    case FftKernel::Avx512:
        return avx512;
    default:
        return sse2;
    }
}
