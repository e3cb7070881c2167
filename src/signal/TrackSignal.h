#pragma once
// The log of an instrument value (kind 9).
#include <cstdint>

#include "signal/Signal.h"

// One value per update of its source, up to a maximum length; X counts updates. It starts as a flat line at
// the first value.
class TrackSignal : public Signal {
public:
    // `maxLength` is truncated from the stored real; a log holds at least one value.
    TrackSignal(SignalOwner* owner, uint32_t maxLength, float firstValue);

    // Writes the next value; false once the log is full, when it neither changes nor passes the update on.
    bool append(float value);
    // Starts again from `firstValue`, as on creation.
    void reset(float firstValue);

    uint32_t writePosition() const { return writePosition_; }
    uint32_t maxLength() const { return count(); }
    bool full() const { return writePosition_ >= count(); }
    uint32_t filledCount() const override { return writePosition_; }

private:
    uint32_t writePosition_ = 0;
};
