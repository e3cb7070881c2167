#pragma once
// Everything a complex transform needs besides the data: the factors, the layout and each pass's twiddles.
#include <cstddef>
#include <vector>

#include "dsp/FftFactors.h"
#include "dsp/FftKernelTable.h"
#include "dsp/FftPasses.h"
#include "dsp/FftPermutation.h"
#include "dsp/FftStatus.h"

// Built once, it runs any number of transforms of that shape, from several threads at once; the arguments
// mean what they mean for FftEngine::transform (n below 2^32). Every kernel gives the same bits; the
// default is the fastest this processor runs.
class FftPlan {
public:
    FftPlan(std::size_t total, std::size_t n, std::size_t span, int sign, FftKernel kernel = fftFastestKernel());

    FftStatus status() const { return status_; }
    // Transforms in place; a plan whose status is not Ok leaves the data alone and returns it.
    FftStatus execute(float* re, float* im) const;

private:
    struct Pass {
        int factor;
        FftPassSpan span;
        FftTwiddles twiddles;     // radix 2 and 4, and the rotation after the other factors
        FftOddFactorTable odd;    // factors 7 to 23
        bool rotate;              // radix 3, 5 and odd factors other than the last pass
        bool fusedWithNext;       // this pass and the next run as one
    };

    // Array indices worked on together once the passes' blocks are this small (16 KiB per array).
    static constexpr std::ptrdiff_t CacheBlock = 4096;

    // Runs pass i, or passes i and i + 1 when fused, over g; returns how many passes ran.
    std::size_t runPasses(std::size_t i, float* re, float* im, const FftPassSpan& g) const;

    FftStatus status_ = FftStatus::Ok;
    FftDirection dir_{};
    const FftKernelTable* kernels_;
    std::vector<Pass> passes_;
    FftPermutation permutation_;
};
