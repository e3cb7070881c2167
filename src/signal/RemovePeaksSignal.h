#pragma once
// The parent's visible part with its peaks removed (kind 14).
#include <memory>

#include "signal/Signal.h"

// Every value beyond k standard deviations from the mean is replaced by the mean.
class RemovePeaksSignal : public Signal {
public:
    // The empty result (sample rate 0) when the parent shows nothing.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent, float coefficient);
    std::unique_ptr<Signal> rebuild(const Signal& parent) const { return create(owner(), parent, coefficient); }

    float coefficient;

private:
    RemovePeaksSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent, float k);
};
