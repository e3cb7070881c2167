#pragma once
// The cepstrum (kind 7) of a parent's visible part, on the parent's sample rate and X offset.
#include <memory>

#include "signal/Signal.h"

class CEPSSignal : public Signal {
public:
    // The empty result (sample rate 0) for fewer than 3 visible samples.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent);

private:
    CEPSSignal(SignalOwner* owner, std::unique_ptr<float[]> block, uint32_t count, const Signal& parent);
};
