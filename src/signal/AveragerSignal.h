#pragma once
// The running mean of every version of the parent's visible part since creation (kind 16).
#include <cstdint>
#include <memory>

#include "signal/Signal.h"

// Its sample rate and X offset stay those of the creation.
class AveragerSignal : public Signal {
public:
    // The empty result (sample rate 0) when the parent shows nothing.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent);

    // Adds the parent's visible part to the mean; false (nothing changes) when its count differs.
    bool update(const Signal& parent);
    // The next update replaces the values by the parent's.
    void reset() { averaged_ = 0; }

    uint32_t averaged() const { return averaged_; }

private:
    AveragerSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent);

    uint32_t averaged_ = 1;
};
