#include "signal/DEOSignal.h"

#include <algorithm>
#include <cmath>

#include "signal/SignalKind.h"
#include "signal/VisiblePart.h"

DEOSignal::DEOSignal(SignalOwner* owner, const Signal& parent, uint32_t start, uint32_t count,
                     long double startFraction, long double lengthFraction)
    : Signal(owner, SignalKind::ExtractedPart, copySamples(parent, parent.firstVisible() + start, count), count,
             parent.sampleRate(), parent.firstVisibleX() + start / parent.sampleRate()),
      startFraction(startFraction), lengthFraction(lengthFraction)
{
}

std::unique_ptr<Signal> DEOSignal::part(SignalOwner* owner, const Signal& parent, uint64_t start, uint64_t count,
                                        long double startFraction, long double lengthFraction, uint32_t minimum)
{
    const uint64_t visible = parent.visibleCount();
    // Fractions from a file may reach past the visible range; the part ends where the range does.
    count = start < visible ? std::min(count, visible - start) : 0;
    if (count < minimum || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::ExtractedPart);
    return std::unique_ptr<Signal>(
        new DEOSignal(owner, parent, uint32_t(start), uint32_t(count), startFraction, lengthFraction));
}

std::unique_ptr<Signal> DEOSignal::fromSelection(SignalOwner* owner, const Signal& parent, uint32_t first,
                                                 uint32_t last)
{
    const uint32_t start = std::min(first, last);
    const uint64_t count = uint64_t(std::max(first, last)) - start + 1;
    const long double visible = parent.visibleCount();
    return part(owner, parent, start, count, start / visible, count / visible, MinimumFromSelection);
}

std::unique_ptr<Signal> DEOSignal::fromFractions(SignalOwner* owner, const Signal& parent, long double start,
                                                 long double length, uint32_t minimum)
{
    const long double visible = parent.visibleCount();
    const long double count = std::trunc(visible * length);
    const long double first = std::floor(visible * start + 0.5L);
    if (!(count >= 0 && first >= 0))
        return std::make_unique<Signal>(owner, SignalKind::ExtractedPart);
    return part(owner, parent, uint64_t(std::min(first, visible)), uint64_t(std::min(count, visible)), start, length,
                minimum);
}
