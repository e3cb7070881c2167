#include "dsp/SpectrumPipeline.h"

#include <algorithm>
#include <cmath>

#include "dsp/SpectrumConditioning.h"
#include "dsp/SpectrumOutput.h"
#include "dsp/SpectrumPeakTest.h"
#include "dsp/Statistics.h"

namespace {
std::unique_ptr<float[]> zeros(std::size_t count)
{
    return std::make_unique<float[]>(count);
}
}  // namespace

bool SpectrumPipeline::averagesComplex(const SpectralSettings& settings)
{
    return settings.type == SpectrumType::Averaged && settings.average > 0 && !SpectrumShow::isSegmentAveraged(settings.show);
}

bool SpectrumPipeline::needsRebuild(const SpectralSettings& settings, uint32_t count) const
{
    return !built() || count != size_.count || settings.type != type_ || settings.show != show_
           || SpectrumSize::expansionExponent(settings) != size_.exponent;
}

void SpectrumPipeline::build(const SpectralSettings& settings, uint32_t count)
{
    // Everything is allocated before anything is replaced: an allocation that fails leaves the pipeline
    // as it was, its buffers of the size it records.
    const SpectrumSize size = SpectrumSize::of(count, settings);
    const std::size_t n = size.n;
    // The work array holds a block while it is detrended or cleared of peaks (at most L ≤ N
    // values), and the output while it is smoothed (n values).
    auto work = std::make_unique_for_overwrite<float[]>(size.N);
    auto re = std::make_unique_for_overwrite<float[]>(n + 1);
    auto im = std::make_unique_for_overwrite<float[]>(n + 1);
    auto output = zeros(n);
    const bool accumulates = settings.type == SpectrumType::Averaged || SpectrumShow::isSegmentAveraged(settings.show);
    auto sumRe = accumulates ? zeros(n + 1) : nullptr;
    auto sumIm = accumulates ? zeros(n + 1) : nullptr;
    std::unique_ptr<FftPlan> plan;
    std::unique_ptr<FftRealSplitPlan> split;
    if (!plan_ || n != size_.n) {
        plan = std::make_unique<FftPlan>(n, n, n, -1);
        split = std::make_unique<FftRealSplitPlan>(n, -1);
    }
    size_ = size;
    type_ = settings.type;
    show_ = settings.show;
    work_ = std::move(work);
    re_ = std::move(re);
    im_ = std::move(im);
    output_ = std::move(output);
    sumRe_ = std::move(sumRe);
    sumIm_ = std::move(sumIm);
    if (plan) {
        plan_ = std::move(plan);
        split_ = std::move(split);
    }
    averaged_ = 0;
}

double SpectrumPipeline::transformBlock(const SpectralSettings& settings, const float* block, uint32_t length,
                                        TapWindow& tap)
{
    const float* source = block;
    if (settings.doRemoveLinTrend || settings.doRemovePeaks) {
        std::copy_n(block, length, work_.get());
        if (settings.doRemoveLinTrend)
            removeLinearTrend(work_.get(), length);
        if (settings.doRemovePeaks)
            removePeaks(work_.get(), length, settings.removePeaksVal);
        source = work_.get();
    }
    const bool centre = settings.doNormalize || settings.doTaper || settings.doExpandWithZeros;
    const double offset = centre ? double(mean(source, length)) : 0.0;
    // A taper would distort the phase, so the phase output is computed without one.
    const bool taper = settings.doTaper && settings.show != SpectrumShow::Phase;
    if (taper)
        tap.set(settings.window, length, false);
    packConditioned(source, length, offset, taper ? tap.values() : nullptr, re_.get(), im_.get(), size_.n);
    // Plans for n ≥ 2 points of a power of two always run.
    (void)plan_->execute(re_.get(), im_.get());
    (void)split_->execute(re_.get(), im_.get());
    return taper ? TapWindow::gain(settings.window) : 1.0;
}

double SpectrumPipeline::averageSegments(const SpectralSettings& settings, const float* samples, TapWindow& tap)
{
    const std::size_t n = size_.n;
    const std::size_t count = size_.count;
    // An expanded transform can make the segment longer than the block; it then covers the block.
    const std::size_t length = std::min(n / 4, count);
    const std::size_t hop = length / 2;
    std::fill_n(sumRe_.get(), n + 1, 0.0f);
    std::size_t segments = 0;
    double gain = 1;
    // Without a hop (segments of one value) only the first segment is taken.
    for (std::size_t s = 0; s == 0 || (hop > 0 && length + hop * s < count); ++s) {
        gain = transformBlock(settings, samples + s * hop, uint32_t(length), tap);
        for (std::size_t j = 0; j <= n; ++j)
            sumRe_[j] += float(std::sqrt(double(re_[j]) * re_[j] + double(im_[j]) * im_[j]));
        ++segments;
    }
    for (std::size_t j = 0; j <= n; ++j)
        re_[j] = float(sumRe_[j] / double(segments));
    return gain;
}

bool SpectrumPipeline::addToAverage(int32_t averages)
{
    const std::size_t n = size_.n;
    for (std::size_t j = 0; j <= n; ++j) {
        sumRe_[j] += re_[j];
        sumIm_[j] += im_[j];
    }
    if (++averaged_ < averages)
        return false;
    // The number actually collected: the same as the setting unless it was lowered meanwhile.
    const double collected = averaged_;
    for (std::size_t j = 0; j <= n; ++j) {
        re_[j] = float(sumRe_[j] / collected);
        im_[j] = float(sumIm_[j] / collected);
    }
    std::fill_n(sumRe_.get(), n + 1, 0.0f);
    std::fill_n(sumIm_.get(), n + 1, 0.0f);
    averaged_ = 0;
    return true;
}

SpectrumPipeline::Outcome SpectrumPipeline::run(const SpectralSettings& settings, const float* samples,
                                                long double sampleRate, TapWindow& tap)
{
    const std::size_t n = size_.n;
    double gain = 1;
    if (SpectrumShow::isSegmentAveraged(settings.show)) {
        gain = averageSegments(settings, samples, tap);
    } else {
        gain = transformBlock(settings, samples, size_.count, tap);
        if (averagesComplex(settings) && !addToAverage(settings.average))
            return Outcome::AverageIncomplete;
    }
    const double density = double(size_.N) * double(sampleRate / size_.count) * gain;
    spectrumOutput(settings.show, re_.get(), im_.get(), n, density, output_.get());
    // The dialog refuses a zero length but lets a negative one through; neither smooths.
    if (settings.doSmooth && settings.smoothLen > 0) {
        smoothing_.setSmoothing(settings.smoothWindow, settings.smoothLen, uint32_t(n));
        std::copy_n(output_.get(), n, work_.get());
        smoothing_.smooth(work_.get(), output_.get(), uint32_t(n));
    }
    if (settings.doTestPeaks && settings.show == SpectrumShow::Magnitude)
        keepSignificantPeaks({output_.get(), n}, settings.testPeaksLevel);
    return Outcome::Computed;
}

bool SpectrumPipeline::averageIncompleteAfterNextRun(const SpectralSettings& settings) const
{
    return averagesComplex(settings) && averaged_ + 1 < settings.average;
}
