#pragma once
// The real split's twiddles for n points in one direction, worked out once.
#include <cstddef>
#include <vector>

#include "dsp/FftKernelTable.h"
#include "dsp/FftStatus.h"

// For any number of calls, from several threads at once; the arguments mean what they mean for
// FftEngine::realSplit. The kernel is chosen as for FftPlan.
class FftRealSplitPlan {
public:
    FftRealSplitPlan(std::size_t n, int sign, FftKernel kernel = fftFastestKernel());

    FftStatus status() const { return status_; }
    FftStatus execute(float* re, float* im) const;

private:
    FftStatus status_ = FftStatus::Ok;
    const FftKernelTable* kernels_;
    bool forward_ = true;
    std::ptrdiff_t inc_ = 1;
    std::ptrdiff_t last_ = 0;  // index of bin n
    std::vector<float> cosines_;
    std::vector<float> sines_;
};
