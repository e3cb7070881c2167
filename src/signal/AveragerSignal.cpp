#include "signal/AveragerSignal.h"

#include "signal/SignalKind.h"
#include "signal/VisiblePart.h"

AveragerSignal::AveragerSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent)
    : Signal(owner, SignalKind::Averager, std::move(block), parent.visibleCount(), parent.sampleRate(),
             parent.firstVisibleX())
{
}

std::unique_ptr<Signal> AveragerSignal::create(SignalOwner* owner, const Signal& parent)
{
    if (parent.visibleCount() == 0 || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::Averager);
    return std::unique_ptr<Signal>(new AveragerSignal(owner, copyVisible(parent), parent));
}

bool AveragerSignal::update(const Signal& parent)
{
    if (parent.visibleCount() != count())
        return false;
    const float* x = parent.visibleSamples();
    float* y = samples();
    const double n = averaged_;
    for (uint32_t i = 0; i < count(); ++i)
        y[i] = float((n * y[i] + x[i]) / (n + 1));
    ++averaged_;
    updateYRange();
    return true;
}
