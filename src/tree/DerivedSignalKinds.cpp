#include "tree/DerivedSignalKinds.h"

#include <memory>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/SmoothingForm.h"
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
#include "tree/DerivedWindows.h"
#include "tree/FilterControlForm.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
constexpr Rgb Red{255, 0, 0};

long double at(const PendingParameters& parameters, std::size_t i)
{
    return i < parameters.size() ? parameters[i] : 0;
}

// Kinds whose signal is computed anew from the parent on every change.
RecomputeOutcome replaced(marluneMDIChild& window, std::unique_ptr<Signal> next)
{
    if (!next || next->sampleRate() == 0)
        return RecomputeOutcome::Invalid;
    window.replaceSignal(std::move(next));
    return RecomputeOutcome::Updated;
}

template <class Derived>
Derived& signalOf(marluneMDIChild& window)
{
    return static_cast<Derived&>(*window.signal());
}

RecomputeOutcome recomputeSpectrum(marluneMDIChild& window, const Signal& source)
{
    auto& spectrum = signalOf<SpectrumSignal>(window);
    if (source.sampleRate() == 0)
        return RecomputeOutcome::Invalid;
    const SpectralSettings settings = spectrum.spectral;
    switch (spectrum.update(settings, source.visibleSamples(), source.visibleCount(), source.sampleRate(), window.tap())) {
    case SpectrumSignal::UpdateResult::Updated:
        return RecomputeOutcome::Updated;
    case SpectrumSignal::UpdateResult::AverageIncomplete:
        return RecomputeOutcome::Held;
    case SpectrumSignal::UpdateResult::TooShort:
        return RecomputeOutcome::Invalid;
    }
    return RecomputeOutcome::Invalid;
}

void spectrumProperties(marluneMDIChild& window)
{
    UiServices& ui = window.client().ui();
    auto& spectrum = signalOf<SpectrumSignal>(window);
    FFTDefaultsForm form(ui, spectrum.spectral, FFTDefaultsForm::Context::Spectrum);
    if (!ui.runDialog(form))
        return;
    // A root spectrum keeps its values; the new settings apply from its next computation on.
    spectrum.spectral = form.result();
    WaitCursor wait(ui);
    DerivedWindows::refresh(window);
}

void smoothingProperties(marluneMDIChild& window)
{
    UiServices& ui = window.client().ui();
    auto& smoothed = signalOf<SmoothSignal>(window);
    SmoothingForm form(ui, smoothed.smoothType, smoothed.smoothLength);
    if (!ui.runDialog(form))
        return;
    smoothed.smoothType = int32_t(form.type());
    smoothed.smoothLength = int32_t(form.lengthValue());
    WaitCursor wait(ui);
    DerivedWindows::refresh(window);
}

const WindowKind Kinds[] = {
    {
        .kind = SignalKind::ExtractedPart,
        .title = " %u#PART:%d(%s)",
        .icon = 57,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters& p) -> std::unique_ptr<Signal> {
            const Signal& source = *parent.signal();
            if (p.size() >= 2)
                return DEOSignal::fromFractions(&window, source, p[0], p[1], DEOSignal::MinimumFromFile);
            const auto& selection = parent.selection();
            if (!selection)
                return nullptr;
            // The selection holds absolute indices; the part counts from the start of the visible range.
            const uint32_t first = source.firstVisible();
            return DEOSignal::fromSelection(&window, source, selection->zoom.first - first,
                                            selection->zoom.second - first);
        },
        .makeTitle = [](const WindowKind& kind, unsigned number, const marluneMDIChild& parent, const Signal&) {
            return formatText(kind.title, number, int(parent.partCounter()), parent.caption().c_str());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return replaced(window, signalOf<DEOSignal>(window).rebuild(source));
        },
    },
    {
        .kind = SignalKind::Spectrum,
        .title = " %u#FFT(%s)",
        .xLabel = "Hz",
        .colour = Red,
        .icon = 56,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters&) {
            const Signal& source = *parent.signal();
            return SpectrumSignal::create(&window, window.client().spectralSettings, source.visibleSamples(),
                                          source.visibleCount(), source.sampleRate(), window.tap());
        },
        .recompute = recomputeSpectrum,
        .holdsNextUpdate = [](const Signal& signal) {
            return static_cast<const SpectrumSignal&>(signal).averageIncompleteAfterNextUpdate();
        },
        .properties = spectrumProperties,
    },
    {
        .kind = SignalKind::Filtered,
        .title = " %u#FILT[%.2Lf,%.2Lf](%s)",
        .icon = 60,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters& p) {
            return FILTSignal::create(&window, *parent.signal(), at(p, 0), at(p, 1), int16_t(at(p, 2)));
        },
        .makeTitle = [](const WindowKind& kind, unsigned number, const marluneMDIChild& parent, const Signal& signal) {
            const auto& filtered = static_cast<const FILTSignal&>(signal);
            return formatText(kind.title, number, filtered.fromFreq, filtered.toFreq, parent.caption().c_str());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return replaced(window, signalOf<FILTSignal>(window).rebuild(source));
        },
        .properties = [](marluneMDIChild& window) {
            window.client().ui().openModeless(std::make_shared<FilterControlForm>(window.client(), window));
        },
    },
    {
        .kind = SignalKind::ExtractedFromTo,
        .title = " %u#PART[%.2Lf,%.2Lf](%s)",
        .icon = 57,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters& p) {
            return DEOODDOSignal::create(&window, *parent.signal(), at(p, 0), at(p, 1));
        },
        .makeTitle = [](const WindowKind& kind, unsigned number, const marluneMDIChild& parent, const Signal& signal) {
            return formatText(kind.title, number, signal.xOfIndex(0), signal.xOfIndex(signal.count() - 1),
                              parent.caption().c_str());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return replaced(window, signalOf<DEOODDOSignal>(window).rebuild(source));
        },
    },
    {
        .kind = SignalKind::Cepstrum,
        .title = " %u#CEPSTRUM(%s)",
        .xLabel = "sec",
        .colour = Red,
        .icon = 30000,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters&) {
            return CEPSSignal::create(&window, *parent.signal());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return replaced(window, CEPSSignal::create(&window, source));
        },
    },
    {
        .kind = SignalKind::Smoothed,
        .title = " %u#Smoothed(%s)",
        .icon = 11050,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters& p) {
            return SmoothSignal::create(&window, *parent.signal(), int32_t(at(p, 0)), int32_t(at(p, 1)));
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return signalOf<SmoothSignal>(window).update(source) ? RecomputeOutcome::Updated : RecomputeOutcome::Invalid;
        },
        .properties = smoothingProperties,
    },
    {
        .kind = SignalKind::Detrended,
        .title = " %u#Detrended(%s)",
        .icon = 17004,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters&) {
            return DeTrendedSignal::create(&window, *parent.signal());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return replaced(window, DeTrendedSignal::create(&window, source));
        },
    },
    {
        .kind = SignalKind::PeaksRemoved,
        .title = " %u#Peaks removed(%s)",
        .icon = 17005,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters& p) {
            return RemovePeaksSignal::create(&window, *parent.signal(), float(at(p, 0)));
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return replaced(window, signalOf<RemovePeaksSignal>(window).rebuild(source));
        },
    },
    {
        .kind = SignalKind::Averager,
        .title = " %u#Averager(%s)",
        .icon = 24456,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters&) {
            return AveragerSignal::create(&window, *parent.signal());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return signalOf<AveragerSignal>(window).update(source) ? RecomputeOutcome::Updated : RecomputeOutcome::Held;
        },
        .reset = [](marluneMDIChild& window) { signalOf<AveragerSignal>(window).reset(); },
    },
    {
        .kind = SignalKind::PeakHold,
        .title = " %u#Peak hold(%s)",
        .icon = 24457,
        .build = [](marluneMDIChild& window, marluneMDIChild& parent, const PendingParameters&) {
            return PeakHoldSignal::create(&window, *parent.signal());
        },
        .recompute = [](marluneMDIChild& window, const Signal& source) {
            return signalOf<PeakHoldSignal>(window).update(source) ? RecomputeOutcome::Updated : RecomputeOutcome::Held;
        },
        .reset = [](marluneMDIChild& window) {
            if (const marluneMDIChild* parent = signalWindowOf(window.parent()))
                signalOf<PeakHoldSignal>(window).reset(*parent->signal());
        },
    },
};
}  // namespace

std::span<const WindowKind> derivedSignalKinds()
{
    return Kinds;
}
