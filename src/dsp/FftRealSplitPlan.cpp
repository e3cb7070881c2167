#include "dsp/FftRealSplitPlan.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "dsp/FftLaneKernels.h"
#include "dsp/FftRotation.h"

// Bins k and n - k of the half-length complex transform hold the spectra of the even and the odd
// samples mixed; each pair is unmixed (or, inverse, mixed) with the twiddle of angle πk/n.
FftRealSplitPlan::FftRealSplitPlan(std::size_t n, int sign, FftKernel kernel)
    : kernels_(&fftKernelTable(fftKernelRuns(kernel) ? kernel : fftFastestKernel()))
{
    if (n < 2) {
        status_ = FftStatus::TooShort;
        return;
    }
    if (sign == 0) {
        status_ = FftStatus::BadArguments;
        return;
    }
    forward_ = sign < 0;
    inc_ = std::ptrdiff_t(std::abs(std::int64_t(sign)));
    last_ = std::ptrdiff_t(n) * inc_;
    const float quarterPi = std::atan(1.0f);
    const float dr = -4.0f / float(n);
    FftRotation step = FftRotation::fromHalfAngle(0.5f * dr * quarterPi);
    float cn = 1.0f;
    float sn = 0.0f;
    if (!forward_) {
        cn = -1.0f;
        step.sd = -step.sd;
    }
    for (std::size_t j = 0; 2 * j <= n; ++j) {
        cosines_.push_back(cn);
        sines_.push_back(sn);
        step.advance(cn, sn);
    }
}

FftStatus FftRealSplitPlan::execute(float* re, float* im) const
{
    if (status_ != FftStatus::Ok)
        return status_;
    if (!re || !im)
        return FftStatus::BadArguments;
    if (forward_) {
        re[last_] = re[0];
        im[last_] = im[0];
    }
    const std::ptrdiff_t pairs = std::ptrdiff_t(cosines_.size());
    if (inc_ == 1) {
        kernels_->realSplit(re, im, last_, pairs, cosines_.data(), sines_.data());
        return FftStatus::Ok;
    }
    for (std::ptrdiff_t i = 0; i < pairs; ++i)
        splitPairs(re, im, i * inc_, last_ - i * inc_, cosines_[std::size_t(i)], sines_[std::size_t(i)]);
    return FftStatus::Ok;
}
