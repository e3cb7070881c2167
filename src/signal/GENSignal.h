#pragma once
// A generated signal (kind 6): a test signal made from the generator's parameters, at X offset 0.
#include <cstdint>
#include <memory>

#include "dsp/GeneratorParameters.h"
#include "signal/Signal.h"

// It has no parent and is never recomputed.
class GENSignal : public Signal {
public:
    // Null when the samples cannot be allocated; throws std::bad_alloc when the record itself cannot be.
    // `parameters` must be usable; `seed` starts the random values.
    static std::unique_ptr<Signal> create(SignalOwner* owner, const GeneratorParameters& parameters, uint32_t seed);

    // All ten parameters, the three carried ones included.
    GeneratorParameters parameters;

private:
    GENSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const GeneratorParameters& parameters);
};
