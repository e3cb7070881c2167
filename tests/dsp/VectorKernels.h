#pragma once
// The instruction sets whose kernels the tests compare with the scalar kernel on this processor.
#include <cstdio>
#include <vector>

#include "dsp/FftKernelTable.h"

namespace {

// The vector kernels this processor runs, each compared with the scalar one; a kernel it lacks
// is left out (and named, so that a run on a narrower machine says what it did not check).
inline std::vector<FftKernel> vectorKernels()
{
    std::vector<FftKernel> kernels;
    for (FftKernel kernel : {FftKernel::Sse2, FftKernel::Avx2, FftKernel::Avx512}) {
        if (fftKernelRuns(kernel))
            kernels.push_back(kernel);
        else
            std::printf("kernel %d not run: this processor lacks it\n", int(kernel));
    }
    return kernels;
}

inline const char* nameOf(FftKernel kernel)
{
    switch (kernel) {
    case FftKernel::Scalar:
        return "scalar";
    case FftKernel::Sse2:
        return "SSE2";
    case FftKernel::Avx2:
        return "AVX2";
    case FftKernel::Avx512:
        return "AVX-512";
    }
    return "?";
}

}  // namespace
