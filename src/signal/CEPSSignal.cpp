#include "signal/CEPSSignal.h"

#include "dsp/Cepstrum.h"
#include "signal/SignalKind.h"

CEPSSignal::CEPSSignal(SignalOwner* owner, std::unique_ptr<float[]> block, uint32_t count, const Signal& parent)
    : Signal(owner, SignalKind::Cepstrum, std::move(block), count, parent.sampleRate(), parent.xOffset())
{
}

std::unique_ptr<Signal> CEPSSignal::create(SignalOwner* owner, const Signal& parent)
{
    const uint32_t n = cepstrumCount(parent.visibleCount());
    if (n < 2 || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::Cepstrum);
    auto block = Signal::allocateSamples(n);
    cepstrum(parent.visibleSamples(), parent.visibleCount(), block.get());
    return std::unique_ptr<Signal>(
        new CEPSSignal(owner, std::move(block), n, parent));
}
