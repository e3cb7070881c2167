#include "dsp/FftPlan.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

FftPlan::FftPlan(std::size_t total, std::size_t n, std::size_t span, int sign, FftKernel kernel)
    : kernels_(&fftKernelTable(fftKernelRuns(kernel) ? kernel : fftFastestKernel()))
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
        Pass pass{factors.factor[i], {}, {}, {}, false, false};
        const FftRotation step = FftRotation::fromHalfAngle(radf / float(g.kspan));
        g.kspnn = g.kspan;
        g.kspan /= pass.factor;
        pass.span = g;
        if (pass.factor == 2) {
            pass.twiddles = FftTwiddles::forRadix2(g.positions(), step);
        } else if (pass.factor == 4) {
            pass.twiddles = FftTwiddles::forRadix4(g.positions(), step, kernels_->radix4Group);
        } else {
            if (pass.factor != 3 && pass.factor != 5)
                pass.odd.build(pass.factor, dir_.rad);
            pass.rotate = i + 1 < factors.count;
            if (pass.rotate)
                pass.twiddles = FftTwiddles::forRotation(g.positions(), step);
        }
        passes_.push_back(std::move(pass));
    }
    // Fewer sweeps over the data: radix-2 passes in pairs, and the last two radix-4 passes of a
    // unit-stride dimension together. The scalar kernel keeps one pass per sweep as the reference.
    const std::size_t count = passes_.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        Pass& pass = passes_[i];
        const int next = passes_[i + 1].factor;
        pass.fusedWithNext = (pass.factor == 2 && next == 2 && kernels_->radix2TwoPasses)
            || (pass.factor == 4 && next == 4 && i + 2 == count && layout.jc == 1 && pass.span.kspan == 4
                && kernels_->radix4LastTwoPasses);
        i += pass.fusedWithNext ? 1 : 0;
    }
    permutation_ = FftPermutation(factors, layout, *kernels_);
}

std::size_t FftPlan::runPasses(std::size_t i, float* re, float* im, const FftPassSpan& g) const
{
    const Pass& pass = passes_[i];
    // The rotation after an odd factor, none after the last pass.
    const float* c1 = pass.rotate ? pass.twiddles.c1.data() : nullptr;
    const float* s1 = pass.rotate ? pass.twiddles.s1.data() : nullptr;
    switch (pass.factor) {
    case 2:
        if (pass.fusedWithNext) {
            const FftTwiddles& next = passes_[i + 1].twiddles;
            kernels_->radix2TwoPasses(re, im, g, pass.twiddles.c1.data(), pass.twiddles.s1.data(), next.c1.data(),
                                      next.s1.data());
            return 2;
        }
        kernels_->radix2Pass(re, im, g, pass.twiddles.c1.data(), pass.twiddles.s1.data());
        break;
    case 4:
        if (pass.fusedWithNext) {
            kernels_->radix4LastTwoPasses(re, im, g, pass.twiddles.radix4.data(), passes_[i + 1].twiddles.radix4.data(),
                                          dir_.forward);
            return 2;
        }
        kernels_->radix4Pass(re, im, g, pass.twiddles.radix4.data(), dir_.forward);
        break;
    case 3:
        kernels_->radix3Pass(re, im, g, dir_, c1, s1);
        break;
    case 5:
        kernels_->radix5Pass(re, im, g, dir_, c1, s1);
        break;
    default:
        kernels_->oddPass(re, im, g, pass.odd, c1, s1);
        break;
    }
    return 1;
}

FftStatus FftPlan::execute(float* re, float* im) const
{
    if (status_ != FftStatus::Ok)
        return status_;
    if (!re || !im)
        return FftStatus::BadArguments;
    // Once a pass's blocks fit in the cache, that pass and all after it run on one block before
    // the next, instead of each sweeping the whole array. Every value sees the same operations.
    std::size_t first = 0;
    while (first < passes_.size() && passes_[first].span.kspnn > CacheBlock)
        first += runPasses(first, re, im, passes_[first].span);
    if (first < passes_.size()) {
        const std::ptrdiff_t blockLength = passes_[first].span.kspnn;
        for (std::ptrdiff_t block = 0; block < passes_[first].span.nt; block += blockLength) {
            for (std::size_t i = first; i < passes_.size();) {
                FftPassSpan g = passes_[i].span;
                g.nt = blockLength;
                i += runPasses(i, re + block, im + block, g);
            }
        }
    }
    permutation_.apply(re, im);
    return FftStatus::Ok;
}
