#include "dsp/FftPlan.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

FftPlan::FftPlan(std::size_t total, std::size_t n, std::size_t span, int sign, FftKernel kernel) : kernel_(kernel)
{
    if (n < 2) {
        status_ = FftStatus::TooShort;
        return;
    }
    const std::size_t inc = std::size_t(std::abs(std::int64_t(sign)));
    if (sign == 0 || span % n != 0 || span == 0 || total % span != 0
        || total > std::size_t(std::numeric_limits<std::ptrdiff_t>::max()) / inc
        || n > std::numeric_limits<std::uint32_t>::max()) {
        status_ = FftStatus::BadArguments;
        return;
    }
    FftFactors factors;
    status_ = factorizeFftLength(n, factors);
    if (status_ != FftStatus::Ok)
        return;

    dir_ = FftDirection::fromSign(sign);
    const FftLayout layout{std::ptrdiff_t(inc), std::ptrdiff_t(inc * total), std::ptrdiff_t(inc * span / n),
                           std::ptrdiff_t(inc * span)};
    FftPassSpan g{layout.inc, layout.nt, layout.jc, layout.ks, 0};
    const float radf = dir_.rad * float(layout.jc) * 0.5f;
    for (int i = 0; i < factors.count; ++i) {
        Pass pass{factors.factor[i], {}, {}, {}, false};
        const FftRotation step = FftRotation::fromHalfAngle(radf / float(g.kspan));
        g.kspnn = g.kspan;
        g.kspan /= pass.factor;
        pass.span = g;
        if (pass.factor == 2) {
            pass.twiddles = FftTwiddles::forRadix2(g.positions(), step);
        } else if (pass.factor == 4) {
            pass.twiddles = FftTwiddles::forRadix4(g.positions(), step);
        } else {
            if (pass.factor != 3 && pass.factor != 5)
                pass.odd.build(pass.factor, dir_.rad);
            pass.rotate = i + 1 < factors.count;
            if (pass.rotate)
                pass.twiddles = FftTwiddles::forRotation(g.positions(), step);
        }
        passes_.push_back(std::move(pass));
    }
    permutation_ = FftPermutation(factors, layout);
}

void FftPlan::runPass(const Pass& pass, float* re, float* im, const FftPassSpan& g) const
{
    switch (pass.factor) {
    case 2:
        fftRadix2Pass(re, im, g, pass.twiddles, kernel_);
        break;
    case 4:
        fftRadix4Pass(re, im, g, pass.twiddles, dir_.forward, kernel_);
        break;
    case 3:
        fftRadix3Pass(re, im, g, dir_);
        break;
    case 5:
        fftRadix5Pass(re, im, g, dir_);
        break;
    default:
        fftOddPass(re, im, g, pass.odd);
        break;
    }
    if (pass.rotate)
        fftRotationPass(re, im, g, pass.twiddles);
}

FftStatus FftPlan::execute(float* re, float* im) const
{
    if (status_ != FftStatus::Ok)
        return status_;
    if (!re || !im)
        return FftStatus::BadArguments;
    // Once a pass's blocks fit in the cache, that pass and all after it run on one block before
    // the next, instead of each sweeping the whole array. Every value sees the same operations.
    std::size_t local = 0;
    while (local < passes_.size() && passes_[local].span.kspnn > CacheBlock)
        ++local;
    for (std::size_t i = 0; i < local; ++i)
        runPass(passes_[i], re, im, passes_[i].span);
    if (local < passes_.size()) {
        const std::ptrdiff_t blockLength = passes_[local].span.kspnn;
        for (std::ptrdiff_t block = 0; block < passes_[local].span.nt; block += blockLength) {
            for (std::size_t i = local; i < passes_.size(); ++i) {
                FftPassSpan g = passes_[i].span;
                g.nt = blockLength;
                runPass(passes_[i], re + block, im + block, g);
            }
        }
    }
    permutation_.apply(re, im);
    return FftStatus::Ok;
}
