#pragma once
// An FFT-filtered signal (kind 3).
#include <cstdint>
#include <memory>

#include "dsp/FftFilter.h"
#include "signal/Signal.h"

// The parent's visible part with the bins outside (band stop: inside) [from, to] zeroed. It shows the
// parent's Y range, so the filtered curve is drawn to the same scale as the original.
class FILTSignal : public Signal {
public:
    // The empty result (sample rate 0) for fewer than FftFilter::MinimumCount visible samples.
    // `filter` keeps the transforms of an earlier computation, if any.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent, long double from, long double to,
                                          int16_t type, std::shared_ptr<FftFilter> filter = nullptr);
    // The same filter on the parent's current visible part.
    std::unique_ptr<Signal> rebuild(const Signal& parent) const;

    long double fromFreq;
    long double toFreq;
    int16_t filterType;

private:
    FILTSignal(SignalOwner* owner, std::unique_ptr<float[]> block, uint32_t count, const Signal& parent,
               long double from, long double to, int16_t type, std::shared_ptr<FftFilter> filter);

    std::shared_ptr<FftFilter> filter_;
};
