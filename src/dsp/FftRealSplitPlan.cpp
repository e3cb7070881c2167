#include "dsp/FftRealSplitPlan.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "dsp/FftLanes.h"
#include "dsp/FftRotation.h"

namespace {

// Pairs (j, k = last - j) of one lane type; four neighbouring j share a register with their k.
template <typename T>
void splitPairs(float* re, float* im, std::ptrdiff_t j, std::ptrdiff_t k, T cn, T sn)
{
    const T reJ = fftLoad<T>(re + j), reK = fftLoadMirrored<T>(re + k);
    const T imJ = fftLoad<T>(im + j), imK = fftLoadMirrored<T>(im + k);
    const T aa = reJ + reK;
    const T ab = reJ - reK;
    const T ba = imJ + imK;
    const T bb = imJ - imK;
    const T mixedRe = cn * ba + sn * ab;
    const T mixedIm = sn * ba - cn * ab;
    fftStoreMirrored(im + k, mixedIm - bb);
    fftStore(im + j, mixedIm + bb);
    fftStoreMirrored(re + k, aa - mixedRe);
    fftStore(re + j, aa + mixedRe);
}

}  // namespace

// Bins k and n - k of the half-length complex transform hold the spectra of the even and the odd
// samples mixed; each pair is unmixed (or, inverse, mixed) with the twiddle of angle πk/n.
FftRealSplitPlan::FftRealSplitPlan(std::size_t n, int sign, FftKernel kernel) : kernel_(kernel)
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
    std::ptrdiff_t i = 0;
    // Four pairs at a time while their j and k sets stay apart (the middle pair has j = k).
    if (kernel_ == FftKernel::Sse2 && inc_ == 1) {
        for (; 2 * (i + 3) < last_; i += 4)
            splitPairs(re, im, i, last_ - i, fftLoad<FftFloat4>(cosines_.data() + i),
                       fftLoad<FftFloat4>(sines_.data() + i));
    }
    for (; i < pairs; ++i)
        splitPairs(re, im, i * inc_, last_ - i * inc_, cosines_[std::size_t(i)], sines_[std::size_t(i)]);
    return FftStatus::Ok;
}
