#pragma once
// A part of the parent's visible range (kind 1) that follows the parent's zoom.
#include <cstdint>
#include <memory>

#include "signal/Signal.h"

// It is kept as fractions of that range: start fraction and length fraction, 0 … 1.
class DEOSignal : public Signal {
public:
    // Shortest part taken from the view's selection, from stored fractions of a file, and on a recomputation.
    static constexpr uint32_t MinimumFromSelection = 9;
    static constexpr uint32_t MinimumFromFile = 8;
    static constexpr uint32_t MinimumOnRecompute = 10;

    // The samples first … last (indices into the visible range, either order); the empty result
    // (sample rate 0) for fewer than MinimumFromSelection samples.
    static std::unique_ptr<Signal> fromSelection(SignalOwner* owner, const Signal& parent, uint32_t first,
                                                 uint32_t last);
    // The part the fractions give in the current visible range; empty for fewer than `minimum` samples.
    static std::unique_ptr<Signal> fromFractions(SignalOwner* owner, const Signal& parent, long double start,
                                                 long double length, uint32_t minimum);
    std::unique_ptr<Signal> rebuild(const Signal& parent) const
    {
        return fromFractions(owner(), parent, startFraction, lengthFraction, MinimumOnRecompute);
    }

    long double startFraction;
    long double lengthFraction;

private:
    DEOSignal(SignalOwner* owner, const Signal& parent, uint32_t start, uint32_t count, long double startFraction,
              long double lengthFraction);
    // The part [start, start + count) of the visible range, cut to what the range holds.
    static std::unique_ptr<Signal> part(SignalOwner* owner, const Signal& parent, uint64_t start, uint64_t count,
                                        long double startFraction, long double lengthFraction, uint32_t minimum);
};
