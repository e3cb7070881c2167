#include "tree/DerivedWindows.h"

#include <optional>

#include "base/FormatText.h"
#include "signal/AveragerSignal.h"
#include "signal/CEPSSignal.h"
#include "signal/DEOODDOSignal.h"
#include "signal/DEOSignal.h"
#include "signal/DeTrendedSignal.h"
#include "signal/FILTSignal.h"
#include "signal/PeakHoldSignal.h"
#include "signal/RemovePeaksSignal.h"
#include "signal/SignalKind.h"
#include "signal/SmoothSignal.h"
#include "signal/SpectrumSignal.h"
#include "tree/ChildView.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// How a derived window of each kind looks: title format, X label (null: both labels are the
// parent's; otherwise the Y label is empty), curve colour (none: the parent's) and icon.
struct KindLook {
    int32_t kind;
    const char* title;
    const char* xLabel;
    std::optional<Rgb> colour;
    int32_t icon;
};

constexpr Rgb Red{255, 0, 0};

constexpr KindLook Looks[] = {
    {SignalKind::ExtractedPart, " %u#PART:%d(%s)", nullptr, std::nullopt, 57},
    {SignalKind::Spectrum, " %u#FFT(%s)", "Hz", Red, 56},
    {SignalKind::Filtered, " %u#FILT[%.2Lf,%.2Lf](%s)", nullptr, std::nullopt, 60},
    {SignalKind::ExtractedFromTo, " %u#PART[%.2Lf,%.2Lf](%s)", nullptr, std::nullopt, 57},
    {SignalKind::Cepstrum, " %u#CEPSTRUM(%s)", "sec", Red, 30000},
    {SignalKind::Smoothed, " %u#Smoothed(%s)", nullptr, std::nullopt, 11050},
    {SignalKind::Detrended, " %u#Detrended(%s)", nullptr, std::nullopt, 17004},
    {SignalKind::PeaksRemoved, " %u#Peaks removed(%s)", nullptr, std::nullopt, 17005},
    {SignalKind::Averager, " %u#Averager(%s)", nullptr, std::nullopt, 24456},
    {SignalKind::PeakHold, " %u#Peak hold(%s)", nullptr, std::nullopt, 24457},
};

const KindLook* lookOf(int32_t kind)
{
    for (const KindLook& look : Looks)
        if (look.kind == kind)
            return &look;
    return nullptr;
}

std::string titleOf(const KindLook& look, unsigned number, const marluneMDIChild& parent, const Signal& signal)
{
    const char* caption = parent.caption().c_str();
    switch (look.kind) {
    case SignalKind::ExtractedPart:
        return formatText(look.title, number, int(parent.partCounter()), caption);
    case SignalKind::Filtered: {
        const auto& filtered = static_cast<const FILTSignal&>(signal);
        return formatText(look.title, number, filtered.fromFreq, filtered.toFreq, caption);
    }
    case SignalKind::ExtractedFromTo:
        return formatText(look.title, number, signal.xOfIndex(0), signal.xOfIndex(signal.count() - 1), caption);
    default:
        return formatText(look.title, number, caption);
    }
}

long double at(const PendingParameters& parameters, std::size_t i)
{
    return i < parameters.size() ? parameters[i] : 0;
}
}  // namespace

std::unique_ptr<Signal> DerivedWindows::build(marluneMDIChild& window, marluneMDIChild& parent,
                                              const PendingParameters& p)
{
    const Signal& source = *parent.signal();
    switch (window.kind()) {
    case SignalKind::Spectrum:
        return SpectrumSignal::create(&window, window.client().spectralSettings, source.visibleSamples(),
                                      source.visibleCount(), source.sampleRate(), window.tap());
    case SignalKind::ExtractedPart: {
        if (p.size() >= 2)
            return DEOSignal::fromFractions(&window, source, p[0], p[1], DEOSignal::MinimumFromFile);
        const auto selection = parent.view() ? parent.view()->selectedSamples() : std::nullopt;
        if (!selection)
            return nullptr;
        // The view gives absolute indices; the part counts from the start of the visible range.
        const uint32_t first = source.firstVisible();
        return DEOSignal::fromSelection(&window, source, selection->first - first, selection->second - first);
    }
    case SignalKind::Filtered:
        return FILTSignal::create(&window, source, at(p, 0), at(p, 1), int16_t(at(p, 2)));
    case SignalKind::ExtractedFromTo:
        return DEOODDOSignal::create(&window, source, at(p, 0), at(p, 1));
    case SignalKind::Cepstrum:
        return CEPSSignal::create(&window, source);
    case SignalKind::Smoothed:
        return SmoothSignal::create(&window, source, int32_t(at(p, 0)), int32_t(at(p, 1)));
    case SignalKind::Detrended:
        return DeTrendedSignal::create(&window, source);
    case SignalKind::PeaksRemoved:
        return RemovePeaksSignal::create(&window, source, float(at(p, 0)));
    case SignalKind::Averager:
        return AveragerSignal::create(&window, source);
    case SignalKind::PeakHold:
        return PeakHoldSignal::create(&window, source);
    default:
        return nullptr;
    }
}

marluneMDIChild* DerivedWindows::create(marluneMDIClient& client, marluneMDIChild& parent, int32_t kind,
                                        const PendingParameters& parameters)
{
    const unsigned number = client.nextCreationNumber();
    const KindLook* look = lookOf(kind);
    if (!look)
        return nullptr;
    auto window = std::make_unique<marluneMDIChild>(client, kind, nullptr);
    std::unique_ptr<Signal> signal = build(*window, parent, parameters);
    if (!signal || signal->sampleRate() == 0)
        return nullptr;
    window->setCaption(titleOf(*look, number, parent, *signal));
    window->replaceSignal(std::move(signal));
    if (look->xLabel) {
        window->setXLabel(look->xLabel);
    } else {
        window->setXLabel(parent.xLabel());
        window->setYLabel(parent.yLabel());
    }
    window->setCurveColour(look->colour.value_or(parent.curveColour()));
    window->setIcon(look->icon);
    window->attachToParents({&parent});
    return static_cast<marluneMDIChild*>(client.addWindow(std::move(window)));
}

std::unique_ptr<Signal> DerivedWindows::rebuild(const Signal& previous, const Signal& source)
{
    switch (previous.kind()) {
    case SignalKind::ExtractedPart:
        return static_cast<const DEOSignal&>(previous).rebuild(source);
    case SignalKind::Filtered:
        return static_cast<const FILTSignal&>(previous).rebuild(source);
    case SignalKind::ExtractedFromTo:
        return static_cast<const DEOODDOSignal&>(previous).rebuild(source);
    case SignalKind::Cepstrum:
        return CEPSSignal::create(previous.owner(), source);
    case SignalKind::Detrended:
        return DeTrendedSignal::create(previous.owner(), source);
    case SignalKind::PeaksRemoved:
        return static_cast<const RemovePeaksSignal&>(previous).rebuild(source);
    default:
        return nullptr;
    }
}

DerivedWindows::Outcome DerivedWindows::recompute(marluneMDIChild& window)
{
    auto* parent = static_cast<marluneMDIChild*>(window.parent());
    const Signal& source = *parent->signal();
    Signal& current = *window.signal();
    switch (window.kind()) {
    case SignalKind::Spectrum: {
        auto& spectrum = static_cast<SpectrumSignal&>(current);
        if (source.sampleRate() == 0)
            return Outcome::Invalid;
        const SpectralSettings settings = spectrum.spectral;
        switch (spectrum.update(settings, source.visibleSamples(), source.visibleCount(), source.sampleRate(),
                                window.tap())) {
        case SpectrumSignal::UpdateResult::Updated:
            return Outcome::Updated;
        case SpectrumSignal::UpdateResult::AverageIncomplete:
            return Outcome::Held;
        case SpectrumSignal::UpdateResult::TooShort:
            return Outcome::Invalid;
        }
        return Outcome::Invalid;
    }
    case SignalKind::ExtractedPart:
    case SignalKind::Filtered:
    case SignalKind::ExtractedFromTo:
    case SignalKind::Cepstrum:
    case SignalKind::Detrended:
    case SignalKind::PeaksRemoved: {
        std::unique_ptr<Signal> next = rebuild(current, source);
        if (!next || next->sampleRate() == 0)
            return Outcome::Invalid;
        window.replaceSignal(std::move(next));
        return Outcome::Updated;
    }
    case SignalKind::Smoothed:
        return static_cast<SmoothSignal&>(current).update(source) ? Outcome::Updated : Outcome::Invalid;
    case SignalKind::Averager:
        return static_cast<AveragerSignal&>(current).update(source) ? Outcome::Updated : Outcome::Held;
    case SignalKind::PeakHold:
        return static_cast<PeakHoldSignal&>(current).update(source) ? Outcome::Updated : Outcome::Held;
    default:
        return Outcome::Updated;
    }
}

void DerivedWindows::refresh(marluneMDIChild& window)
{
    if (!window.parent())
        return;
    switch (recompute(window)) {
    case Outcome::Updated:
        window.setInvalid(false);
        window.updateAfterChange();
        break;
    case Outcome::Invalid:
        window.setInvalid(true);
        window.repaint();
        break;
    case Outcome::Held:
        break;
    }
}
