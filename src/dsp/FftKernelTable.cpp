#include "dsp/FftKernelTable.h"

#include "dsp/FftLaneKernels.h"

extern const FftKernelTable fftAvx2Kernels;
extern const FftKernelTable fftAvx512Kernels;

namespace {
constinit const FftKernelTable ScalarKernels = FftLaneKernels<float>::table();
constinit const FftKernelTable Sse2Kernels = FftLaneKernels<FftFloat4>::table();
}  // namespace

bool fftKernelRuns(FftKernel kernel)
{
    // The checks include the system's saving of the wider registers.
    __builtin_cpu_init();
    switch (kernel) {
    case FftKernel::Avx512:
        return __builtin_cpu_supports("avx512f");
    case FftKernel::Avx2:
        return __builtin_cpu_supports("avx2");
    default:
        return true;
    }
}

FftKernel fftFastestKernel()
{
    static const FftKernel fastest = [] {
        for (FftKernel kernel : {FftKernel::Avx512, FftKernel::Avx2})
            if (fftKernelRuns(kernel))
                return kernel;
        return FftKernel::Sse2;
    }();
    return fastest;
}

const FftKernelTable& fftKernelTable(FftKernel kernel)
{
    return ofKernel(kernel, ScalarKernels, Sse2Kernels, fftAvx2Kernels, fftAvx512Kernels);
}
