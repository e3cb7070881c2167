#pragma once
// A smoothed signal (kind 12).
#include <cstdint>
#include <memory>

#include "dsp/TapWindow.h"
#include "signal/Signal.h"

// The parent's visible part convolved with a normalised kernel, with mirrored edges. It is updated in place
// and reallocates only when the visible count changes.
class SmoothSignal : public Signal {
public:
    // The empty result (sample rate 0, a plain Signal) when the parent shows nothing.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent, int32_t type, int32_t length);

    // Smooths the parent's current visible part; false when the parent shows nothing.
    bool update(const Signal& parent);

    // Window type 0 … 3 and length in samples; a length below 1 leaves the samples unchanged.
    int32_t smoothType;
    int32_t smoothLength;

private:
    SmoothSignal(SignalOwner* owner, int32_t type, int32_t length);

    TapWindow kernel_;
    std::unique_ptr<float[]> values_;
};
