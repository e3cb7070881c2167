#include "signal/GENSignal.h"

#include <new>

#include "dsp/SignalGenerator.h"
#include "signal/SignalKind.h"

GENSignal::GENSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const GeneratorParameters& parameters)
    : Signal(owner, SignalKind::Generated, std::move(block), parameters.sampleCount(), parameters.sampleRate()),
      parameters(parameters)
{
}

std::unique_ptr<Signal> GENSignal::create(SignalOwner* owner, const GeneratorParameters& parameters, uint32_t seed)
{
    std::unique_ptr<float[]> block;
    try {
        block = allocateSamples(parameters.sampleCount());
        SignalGenerator::generate(parameters, seed, block.get());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return std::unique_ptr<Signal>(new GENSignal(owner, std::move(block), parameters));
}
