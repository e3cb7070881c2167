#pragma once
// A spectrum (kind 2).
#include <cstdint>
#include <memory>

#include "dsp/SpectralSettings.h"
#include "dsp/SpectrumPipeline.h"
#include "signal/Signal.h"

// Bins 1 … n of the transform of a parent's samples, computed by its own pipeline, whose output buffer
// holds the samples shown. `spectral` keeps the settings in use.
class SpectrumSignal : public Signal {
public:
    enum class UpdateResult {
        Updated,            // new values are shown
        AverageIncomplete,  // an averaged spectrum collected one more spectrum and still shows its previous values
        TooShort,           // fewer than 4 samples: nothing changed
    };

    // The spectrum of `count` samples; the empty result (sample rate 0, Signal(owner, kind 2)) when
    // count < 4, which would make fewer than 2 transform points. `tap` is the window's TapWindow,
    // used for the taper.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const SpectralSettings& settings, const float* samples,
                                          uint32_t count, long double sampleRate, TapWindow& tap);

    // Recomputes in place from new samples and/or settings, rebuilding the buffers when the count,
    // the spectrum type, the output quantity or the expansion changed.
    UpdateResult update(const SpectralSettings& settings, const float* samples, uint32_t count,
                        long double sampleRate, TapWindow& tap);

    // The averaging mode will still be collecting after the next update (with the same settings).
    bool averageIncompleteAfterNextUpdate() const { return pipeline_.averageIncompleteAfterNextRun(spectral); }

    const SpectrumPipeline& pipeline() const { return pipeline_; }

private:
    explicit SpectrumSignal(SignalOwner* owner);

    UpdateResult compute(const SpectralSettings& settings, const float* samples, uint32_t count,
                         long double sampleRate, TapWindow& tap);

    SpectrumPipeline pipeline_;
};
