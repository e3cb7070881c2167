#pragma once
// The parent's visible part less its least-squares line (kind 13).
#include <memory>

#include "signal/Signal.h"

class DeTrendedSignal : public Signal {
public:
    // The empty result (sample rate 0) when the parent shows nothing.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent);

private:
    DeTrendedSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent);
};
