#include "tree/XAxisUnit.h"

#include <cstring>

#include "signal/CALCSignal.h"
#include "signal/SignalKind.h"
#include "tree/WindowKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"

namespace {
// A ruler's X is a row's time or a bin's frequency of a Time FFT; a log's bins are its parent's X.
bool rulerSeconds(const marluneMDIChild& ruler)
{
    const marlune3DChild* threeD = threeDWindowOf(ruler.parent());
    if (!threeD)
        return false;
    const FFTSignal::Source source = threeD->data().source();
    if (ruler.kind() == SignalKind::XRuler)
        return source == FFTSignal::Source::TimeFFT;
    const marluneMDIChild* logged = signalWindowOf(threeD->parent());
    return source == FFTSignal::Source::Log && logged && XAxisUnit::seconds(*logged);
}
}  // namespace

bool XAxisUnit::seconds(const marluneMDIChild& window)
{
    switch (window.kind()) {
    case SignalKind::XRuler:
    case SignalKind::YRuler:
        return rulerSeconds(window);
    case SignalKind::AsciiColumn:
        return false;
    case SignalKind::Calculator:
        if (window.signal() && static_cast<const CALCSignal&>(*window.signal()).spectralResult())
            return false;
        break;
    default:
        break;
    }
    // A kind's own X title says what its X is ("Hz" of a spectrum, "sec" of a cepstrum, "sample" of a
    // log); without one the window's X is its parent's.
    if (const WindowKind* entry = window.kindEntry(); entry && entry->xLabel)
        return std::strcmp(entry->xLabel, "sec") == 0;
    const marluneMDIChild* parent = signalWindowOf(window.parent());
    return parent ? seconds(*parent) : true;
}
