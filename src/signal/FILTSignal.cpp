#include "signal/FILTSignal.h"

#include "signal/SignalKind.h"
#include "signal/SignalOwner.h"

FILTSignal::FILTSignal(SignalOwner* owner, std::unique_ptr<float[]> block, uint32_t count, const Signal& parent,
                       long double from, long double to, int16_t type, std::shared_ptr<FftFilter> filter)
    : Signal(owner, SignalKind::Filtered, std::move(block), count, parent.sampleRate(), parent.firstVisibleX()),
      fromFreq(from), toFreq(to), filterType(type), filter_(std::move(filter))
{
    // A window with a fixed range already kept its previous signal's range.
    if (!(owner && owner->fixedMinMax()))
        setYRange(parent.yMax(), parent.yMin());
}

std::unique_ptr<Signal> FILTSignal::create(SignalOwner* owner, const Signal& parent, long double from,
                                           long double to, int16_t type, std::shared_ptr<FftFilter> filter)
{
    const uint32_t count = parent.visibleCount();
    if (count < FftFilter::MinimumCount || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::Filtered);
    if (!filter)
        filter = std::make_shared<FftFilter>();
    auto block = Signal::allocateSamples(count);
    filter->run(parent.visibleSamples(), count, parent.sampleRate(), from, to, type, block.get());
    return std::unique_ptr<Signal>(
        new FILTSignal(owner, std::move(block), count, parent, from, to, type, std::move(filter)));
}

std::unique_ptr<Signal> FILTSignal::rebuild(const Signal& parent) const
{
    return create(owner(), parent, fromFreq, toFreq, filterType, filter_);
}
