#pragma once
// The largest value each sample of the parent's visible part has had since creation (kind 23).
#include <memory>

#include "signal/Signal.h"

class PeakHoldSignal : public Signal {
public:
    // The empty result (sample rate 0) when the parent shows nothing.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent);

    // Raises each value to the parent's where that is larger; false (nothing changes) when the
    // parent's visible count differs.
    bool update(const Signal& parent);
    // Starts over from the parent's current visible samples, as many as fit.
    void reset(const Signal& parent);

private:
    PeakHoldSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent);
};
