#include "signal/PeakHoldSignal.h"

#include <algorithm>

#include "signal/SignalKind.h"
#include "signal/VisiblePart.h"

PeakHoldSignal::PeakHoldSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent)
    : Signal(owner, SignalKind::PeakHold, std::move(block), parent.visibleCount(), parent.sampleRate(),
             parent.firstVisibleX())
{
}

std::unique_ptr<Signal> PeakHoldSignal::create(SignalOwner* owner, const Signal& parent)
{
    if (parent.visibleCount() == 0 || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::PeakHold);
    return std::unique_ptr<Signal>(new PeakHoldSignal(owner, copyVisible(parent), parent));
}

bool PeakHoldSignal::update(const Signal& parent)
{
    if (parent.visibleCount() != count())
        return false;
    const float* x = parent.visibleSamples();
    float* y = samples();
    for (uint32_t i = 0; i < count(); ++i)
        if (x[i] > y[i])
            y[i] = x[i];
    updateYRange();
    return true;
}

void PeakHoldSignal::reset(const Signal& parent)
{
    std::copy_n(parent.visibleSamples(), std::min(count(), parent.visibleCount()), samples());
    updateYRange();
}
