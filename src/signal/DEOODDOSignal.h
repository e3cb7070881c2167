#pragma once
// The parent's samples between two X values (kind 5).
#include <memory>

#include "signal/Signal.h"

// Taken by absolute index in the whole parent signal, whatever part of it is visible.
class DEOODDOSignal : public Signal {
public:
    // Parts of 8 samples or fewer give the empty result (sample rate 0).
    static std::unique_ptr<Signal> create(SignalOwner* owner, const Signal& parent, long double startX,
                                          long double endX);
    std::unique_ptr<Signal> rebuild(const Signal& parent) const { return create(owner(), parent, startX, endX); }

    long double startX;
    long double endX;

private:
    DEOODDOSignal(SignalOwner* owner, const Signal& parent, uint32_t first, uint32_t count, long double startX,
                  long double endX);
};
