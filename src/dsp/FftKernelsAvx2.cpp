// Built with AVX2 (and without contraction into fused multiply-adds); run only where it is present.
#include "dsp/FftLanesAvx2.h"
// The lane types must be declared before the kernels that use them.
#include "dsp/FftLaneKernels.h"

extern const FftKernelTable fftAvx2Kernels;
constinit const FftKernelTable fftAvx2Kernels = FftLaneKernels<FftFloat8>::table();
