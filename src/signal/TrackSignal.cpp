#include "signal/TrackSignal.h"

#include <algorithm>

#include "signal/SignalKind.h"

namespace {
// One slot more than the log shows, so the flat start can be written through the last index.
std::unique_ptr<float[]> trackBlock(uint32_t maxLength)
{
    auto block = Signal::allocateSamples(std::size_t(maxLength) + 1);
    std::fill_n(block.get(), std::size_t(maxLength) + 1, 0.0f);
    return block;
}
}  // namespace

TrackSignal::TrackSignal(SignalOwner* owner, uint32_t maxLength, float firstValue)
    : Signal(owner, SignalKind::Track, trackBlock(std::max<uint32_t>(maxLength, 1)), std::max<uint32_t>(maxLength, 1), 1)
{
    reset(firstValue);
}

bool TrackSignal::append(float value)
{
    if (full())
        return false;
    samples()[writePosition_++] = value;
    resetZoom();
    updateYRange();
    return true;
}

void TrackSignal::reset(float firstValue)
{
    writePosition_ = 0;
    append(firstValue);
    std::fill_n(samples() + 1, count(), firstValue);
    updateYRange();
}
