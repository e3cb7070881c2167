#pragma once
// Turns blocks of L samples into the n values of a spectrum.
#include <cstdint>
#include <memory>

#include "dsp/FftPlan.h"
#include "dsp/FftRealSplitPlan.h"
#include "dsp/SpectralSettings.h"
#include "dsp/SpectrumSize.h"
#include "dsp/TapWindow.h"

// Conditioning, taper, zero expansion, the transform, complex or segment averaging, the output quantity,
// smoothing and the peak test. build() allocates every buffer and the transform plans; run() then allocates
// nothing, except when the smoothing kernel changes shape.
class SpectrumPipeline {
public:
    enum class Outcome {
        Computed,           // output() holds new values
        AverageIncomplete,  // the spectrum was added to the average; output() is unchanged
    };

    bool built() const { return output_ != nullptr; }
    // Whether these settings and this count need new buffers: none yet, another count, spectrum
    // type, output quantity or expansion.
    bool needsRebuild(const SpectralSettings& settings, uint32_t count) const;
    // New buffers for `count` (at least 4) samples; the output starts at zero and the average anew.
    void build(const SpectralSettings& settings, uint32_t count);

    // One spectrum of the `size().count` samples at `samples`. `tap` provides the taper.
    Outcome run(const SpectralSettings& settings, const float* samples, long double sampleRate, TapWindow& tap);

    // Complex averaging is on: each run's output depends on the runs before it.
    static bool averagesComplex(const SpectralSettings& settings);
    // Complex averaging is on and will still be collecting after one more run with these settings.
    bool averageIncompleteAfterNextRun(const SpectralSettings& settings) const;

    const SpectrumSize& size() const { return size_; }
    float* output() { return output_.get(); }
    const float* output() const { return output_.get(); }
    // Where the transform's real and imaginary parts land (n + 1 values each), for callers that
    // check the buffers are kept.
    const float* realParts() const { return re_.get(); }
    const float* imaginaryParts() const { return im_.get(); }

private:
    // Steps 2 to 8 for one block of `length` samples: the spectrum lands in re_ and im_ (bins 0 … n).
    // Returns the taper's gain g.
    double transformBlock(const SpectralSettings& settings, const float* block, uint32_t length, TapWindow& tap);
    // Magnitudes of the overlapping segments averaged into re_.
    double averageSegments(const SpectralSettings& settings, const float* samples, TapWindow& tap);
    // Adds re_ and im_ to the complex average; true when the average is complete and now in re_ and im_.
    bool addToAverage(int32_t averages);

    SpectrumSize size_;
    int32_t type_ = 0;
    int32_t show_ = 0;
    std::unique_ptr<float[]> work_;
    std::unique_ptr<float[]> re_;
    std::unique_ptr<float[]> im_;
    std::unique_ptr<float[]> output_;
    std::unique_ptr<float[]> sumRe_;
    std::unique_ptr<float[]> sumIm_;
    int32_t averaged_ = 0;
    std::unique_ptr<FftPlan> plan_;
    std::unique_ptr<FftRealSplitPlan> split_;
    TapWindow smoothing_;
};
