#include "signal/SmoothSignal.h"

#include "signal/SignalKind.h"

SmoothSignal::SmoothSignal(SignalOwner* owner, int32_t type, int32_t length)
    : Signal(owner, SignalKind::Smoothed), smoothType(type), smoothLength(length)
{
}

std::unique_ptr<Signal> SmoothSignal::create(SignalOwner* owner, const Signal& parent, int32_t type, int32_t length)
{
    std::unique_ptr<SmoothSignal> smoothed(new SmoothSignal(owner, type, length));
    if (!smoothed->update(parent))
        return std::make_unique<Signal>(owner, SignalKind::Smoothed);
    return smoothed;
}

bool SmoothSignal::update(const Signal& parent)
{
    const uint32_t count = parent.visibleCount();
    if (count == 0 || parent.sampleRate() <= 0)
        return false;
    if (!values_ || count != this->count()) {
        values_ = allocateSamples(count);
        adoptExternalSamples(values_.get(), count);
    }
    kernel_.setSmoothing(smoothType, smoothLength, count);
    kernel_.smooth(parent.visibleSamples(), values_.get(), count);
    setSampleRate(parent.sampleRate());
    setXOffset(parent.firstVisibleX());
    updateYRange();
    return true;
}
