#include "signal/SpectrumSignal.h"

#include "signal/SignalKind.h"

SpectrumSignal::SpectrumSignal(SignalOwner* owner) : Signal(owner, SignalKind::Spectrum) {}

std::unique_ptr<Signal> SpectrumSignal::create(SignalOwner* owner, const SpectralSettings& settings,
                                               const float* samples, uint32_t count, long double sampleRate,
                                               TapWindow& tap)
{
    if (count < 4)
        return std::make_unique<Signal>(owner, SignalKind::Spectrum);
    std::unique_ptr<SpectrumSignal> spectrum(new SpectrumSignal(owner));
    spectrum->compute(settings, samples, count, sampleRate, tap);
    return spectrum;
}

SpectrumSignal::UpdateResult SpectrumSignal::update(const SpectralSettings& settings, const float* samples,
                                                    uint32_t count, long double sampleRate, TapWindow& tap)
{
    if (count < 4)
        return UpdateResult::TooShort;
    return compute(settings, samples, count, sampleRate, tap);
}

SpectrumSignal::UpdateResult SpectrumSignal::compute(const SpectralSettings& settings, const float* samples,
                                                     uint32_t count, long double sampleRate, TapWindow& tap)
{
    spectral = settings;
    const bool rebuilt = pipeline_.needsRebuild(settings, count);
    if (rebuilt) {
        pipeline_.build(settings, count);
        adoptExternalSamples(pipeline_.output(), uint32_t(pipeline_.size().n));
    }
    const auto outcome = pipeline_.run(settings, samples, sampleRate, tap);
    // An incomplete average keeps the values shown, and with them their axis and range.
    if (outcome == SpectrumPipeline::Outcome::AverageIncomplete && !rebuilt)
        return UpdateResult::AverageIncomplete;
    setSampleRate(pipeline_.size().binRate(sampleRate));
    setXOffset(pipeline_.size().xOffset(sampleRate));
    updateYRange();
    return outcome == SpectrumPipeline::Outcome::Computed ? UpdateResult::Updated : UpdateResult::AverageIncomplete;
}
