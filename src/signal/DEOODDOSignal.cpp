#include "signal/DEOODDOSignal.h"

#include <algorithm>
#include <cmath>

#include "signal/SignalKind.h"
#include "signal/VisiblePart.h"

DEOODDOSignal::DEOODDOSignal(SignalOwner* owner, const Signal& parent, uint32_t first, uint32_t count,
                             long double startX, long double endX)
    : Signal(owner, SignalKind::ExtractedFromTo, copySamples(parent, first, count), count, parent.sampleRate(),
             first / parent.sampleRate() + parent.xOffset()),
      startX(startX), endX(endX)
{
}

std::unique_ptr<Signal> DEOODDOSignal::create(SignalOwner* owner, const Signal& parent, long double startX,
                                              long double endX)
{
    const long double rate = parent.sampleRate();
    const int64_t total = parent.count();
    // A NaN bound (from a file) places no part.
    if (rate <= 0 || total == 0 || std::isnan(startX) || std::isnan(endX))
        return std::make_unique<Signal>(owner, SignalKind::ExtractedFromTo);
    // Stored values are used as they are, so indices outside the signal are cut to it.
    const auto index = [&](long double x) {
        return int64_t(std::clamp(std::trunc((x - parent.xOffset()) * rate), -1.0L, (long double)total));
    };
    const int64_t a = std::max<int64_t>(index(startX), 0);
    const int64_t b = std::min(index(endX), total - 1);
    if (b - a <= 7)
        return std::make_unique<Signal>(owner, SignalKind::ExtractedFromTo);
    return std::unique_ptr<Signal>(new DEOODDOSignal(owner, parent, uint32_t(a), uint32_t(b - a + 1), startX, endX));
}
