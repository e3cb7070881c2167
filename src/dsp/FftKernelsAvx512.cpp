// Built with AVX-512F (and without contraction into fused multiply-adds); run only where it is present.
#include "dsp/FftLanesAvx512.h"
// The lane types must be declared before the kernels that use them.
#include "dsp/FftLaneKernels.h"

extern const FftKernelTable fftAvx512Kernels;
constinit const FftKernelTable fftAvx512Kernels = FftLaneKernels<FftFloat16>::table();
