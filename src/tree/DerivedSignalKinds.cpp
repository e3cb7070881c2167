#include "tree/DerivedSignalKinds.h"

#include <array>
#include <memory>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "fileio/FileReadResult.h"
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
#include "dsp/SpectrumOutput.h"
#include "signal/SpectrumSignal.h"
#include "tree/CommandIds.h"
#include "tree/ControlDetails.h"
#include "tree/DerivedWindows.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterControlForm.h"
#include "tree/FilterForm.h"
#include "tree/ParameterKeys.h"
#include "tree/XAxisUnit.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
constexpr Rgb Red{255, 0, 0};

using Format = ParameterKey::Format;
constexpr std::array PartKeys{ParameterKey{"PartFromPercent", Format::Extended},
                              ParameterKey{"PartLengthPercent", Format::Extended}};
constexpr std::array FilterKeys{ParameterKey{"FromFreq", Format::Extended}, ParameterKey{"ToFreq", Format::Extended},
                                ParameterKey{"FilterType", Format::Int}};
constexpr std::array FromToKeys{ParameterKey{"PartFrom", Format::Extended}, ParameterKey{"PartTo", Format::Extended}};
constexpr std::array SmoothKeys{ParameterKey{"SmoothType", Format::Int}, ParameterKey{"SmoothLength", Format::Int}};
constexpr std::array PeaksKeys{ParameterKey{"RemovePeaksCoef", Format::Extended}};

template <class Derived>
const Derived& signalOf(const marluneMDIChild& window)
{
    return static_cast<const Derived&>(*window.signal());
}

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

// The signal of a parent the entry accepts: a one-dimensional signal window.
const Signal& sourceOf(marluneChild& parent)
{
    return *signalWindowOf(&parent)->signal();
}

template <class Derived>
Derived& signalOf(marluneMDIChild& window)
{
    return static_cast<Derived&>(*window.signal());
}

RecomputeOutcome recomputeSpectrum(marluneMDIChild& window, marluneChild& parent)
{
    const Signal& source = sourceOf(parent);
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
    // A Y label of the person's own stays; the unit of the old form follows the new one.
    if (window.yLabel().empty() || window.yLabel() == spectrumUnit(spectrum.spectral.show))
        window.setYLabel(spectrumUnit(form.result().show));
    // A root spectrum keeps its values; the new settings apply from its next computation on.
    spectrum.spectral = form.result();
    WaitCursor wait(ui);
    DerivedWindows::refresh(window);
}

// The values along the ruler of a 3D window's current level, spaced as its X (row) or Y (bin) axis.
std::unique_ptr<Signal> rulerSignal(marluneMDIChild& window, marluneChild& parent)
{
    const FFTSignal& data = static_cast<marlune3DChild&>(parent).data();
    const ViewLevel& level = data.level();
    const bool alongRows = window.kind() == SignalKind::XRuler;
    const auto count = uint32_t(alongRows ? level.rowCount : level.binCount);
    if (count < 2)
        return nullptr;
    auto block = Signal::allocateSamples(count);
    if (alongRows)
        data.xRuler(block.get());
    else
        data.yRuler(block.get());
    const double start = alongRows ? data.rowX(level.firstRow) : data.binY(level.firstBin);
    const double end = alongRows ? data.rowX(level.lastRow) : data.binY(level.lastBin);
    const long double rate = (count - 1) / ((long double)end - start);
    if (!isUsableSampleRate(rate))
        return nullptr;
    return std::make_unique<Signal>(&window, window.kind(), std::move(block), count, rate, start);
}

// The X of the first and of the last sample of an extracted part.
std::string partRange(const marluneChild& window)
{
    const Signal& part = *signalWindowOf(&window)->signal();
    return formatText("(%.3Lf;%.3Lf)", part.xOfIndex(0), part.xOfIndex(part.count() - 1));
}

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

WindowKind rulerKind(int32_t kind, std::string (*detail)(const marluneChild&))
{
    return {
        .kind = kind,
        // Both rulers share the X ruler's title.
        .title = " %u#X-ruler(%s)",
        .xInSeconds = rulerSeconds,
        .icon = 21134,
        .acceptsParent = SignalKind::is3D,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters&, const SpectralSettings&) {
            return rulerSignal(window, parent);
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            return replaced(window, rulerSignal(window, parent));
        },
        .controlDetail = detail,
    };
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

// "FFT": a spectrum needs at least 4 visible samples, so a signal of 7 or fewer makes none.
std::optional<PendingParameters> askSpectrum(int, std::span<marluneChild* const> parents)
{
    if (signalWindowOf(parents.front())->signal()->count() <= 7)
        return std::nullopt;
    return PendingParameters{};
}

// One dialog for every window it is asked for, with the frequency range all of them allow.
std::optional<PendingParameters> askFilter(int, std::span<marluneChild* const> parents)
{
    std::vector<const Signal*> shown;
    for (const marluneChild* parent : parents)
        shown.push_back(signalWindowOf(parent)->signal());
    FilterForm form = shown.size() == 1 ? FilterForm::forSignal(*shown.front()) : FilterForm::forSignals(shown);
    if (!parents.front()->client().ui().runDialog(form))
        return std::nullopt;
    return form.parameters();
}

// The range is offered from the first window's signal.
std::optional<PendingParameters> askFromTo(int, std::span<marluneChild* const> parents)
{
    ExtractOdDoForm form = ExtractOdDoForm::forSignal(*signalWindowOf(parents.front())->signal());
    if (!parents.front()->client().ui().runDialog(form))
        return std::nullopt;
    return PendingParameters{form.from(), form.to()};
}

std::optional<PendingParameters> askSmoothing(int, std::span<marluneChild* const> parents)
{
    UiServices& ui = parents.front()->client().ui();
    SmoothingForm form(ui, 0, 15);
    if (!ui.runDialog(form))
        return std::nullopt;
    return PendingParameters{(long double)form.type(), (long double)form.lengthValue()};
}

std::optional<PendingParameters> askPeaks(int, std::span<marluneChild* const> parents)
{
    const auto text = parents.front()->client().ui().inputDialog("Remove peaks", "Koef. :", "2", 4);
    if (!text)
        return std::nullopt;
    return PendingParameters{(long double)parseFloat(*text)};
}

const WindowKind Kinds[] = {
    rulerKind(SignalKind::XRuler, [](const marluneChild&) { return std::string("X"); }),
    rulerKind(SignalKind::YRuler, [](const marluneChild&) { return std::string("Y"); }),
    {
        .kind = SignalKind::ExtractedPart,
        .title = " %u#PART:%d(%s)",
        .icon = 57,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters& p, const SpectralSettings&) -> std::unique_ptr<Signal> {
            const Signal& source = sourceOf(parent);
            if (p.size() >= 2)
                return DEOSignal::fromFractions(&window, source, p[0], p[1], DEOSignal::MinimumFromFile);
            const auto& selection = signalWindowOf(&parent)->selection();
            if (!selection)
                return nullptr;
            // The selection holds absolute indices; the part counts from the start of the visible range.
            const uint32_t first = source.firstVisible();
            return DEOSignal::fromSelection(&window, source, selection->zoom.first - first,
                                            selection->zoom.second - first);
        },
        .makeTitle = [](const WindowKind& kind, unsigned number, const marluneChild& parent, const Signal&) {
            return formatText(kind.title, number, int(signalWindowOf(&parent)->partCounter()), parent.caption().c_str());
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return replaced(window, signalOf<DEOSignal>(window).rebuild(source));
        },
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            const auto& part = signalOf<DEOSignal>(window);
            writeParameterKeys(ini, section, PartKeys, {part.startFraction, part.lengthFraction});
        },
        .readParameters = [](const TIniHelper& ini, const std::string& section) {
            return readParameterKeys(ini, section, PartKeys);
        },
        .controlDetail = partRange,
    },
    {
        .kind = SignalKind::Spectrum,
        .title = " %u#FFT(%s)",
        .xLabel = "Hz",
        .yLabel = [](const Signal& signal) { return spectrumUnit(static_cast<const SpectrumSignal&>(signal).spectral.show); },
        .colour = Red,
        .icon = 56,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters&,
                    const SpectralSettings& spectral) {
            const Signal& source = sourceOf(parent);
            return SpectrumSignal::create(&window, spectral, source.visibleSamples(),
                                          source.visibleCount(), source.sampleRate(), window.tap());
        },
        .recompute = recomputeSpectrum,
        .holdsNextUpdate = [](const Signal& signal) {
            return static_cast<const SpectrumSignal&>(signal).averageIncompleteAfterNextUpdate();
        },
        .properties = spectrumProperties,
        .command = Cmd::FFT,
        .askParameters = askSpectrum,
        .spectral = [](const marluneChild& window) -> const SpectralSettings* {
            return &signalOf<SpectrumSignal>(*signalWindowOf(&window)).spectral;
        },
        .controlDetail = ControlDetails::sampleCount,
        .harmonicRuler = true,
    },
    {
        .kind = SignalKind::Filtered,
        .title = " %u#FILT[%.2Lf,%.2Lf](%s)",
        .icon = 60,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters& p, const SpectralSettings&) {
            return FILTSignal::create(&window, sourceOf(parent), at(p, 0), at(p, 1), int16_t(at(p, 2)));
        },
        .makeTitle = [](const WindowKind& kind, unsigned number, const marluneChild& parent, const Signal& signal) {
            const auto& filtered = static_cast<const FILTSignal&>(signal);
            return formatText(kind.title, number, filtered.fromFreq, filtered.toFreq, parent.caption().c_str());
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return replaced(window, signalOf<FILTSignal>(window).rebuild(source));
        },
        .properties = [](marluneMDIChild& window) {
            window.client().ui().openModeless(std::make_shared<FilterControlForm>(window.client(), window));
        },
        .command = Cmd::Filter,
        .askParameters = askFilter,
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            const auto& filtered = signalOf<FILTSignal>(window);
            writeParameterKeys(ini, section, FilterKeys,
                               {filtered.fromFreq, filtered.toFreq, (long double)filtered.filterType});
        },
        .readParameters = [](const TIniHelper& ini, const std::string& section) {
            return readParameterKeys(ini, section, FilterKeys);
        },
        .controlDetail = [](const marluneChild& window) {
            const auto& filtered = signalOf<FILTSignal>(*signalWindowOf(&window));
            return formatText("(%.3Lf;%.3Lf)", filtered.fromFreq, filtered.toFreq);
        },
    },
    {
        .kind = SignalKind::ExtractedFromTo,
        .title = " %u#PART[%.2Lf,%.2Lf](%s)",
        .icon = 57,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters& p, const SpectralSettings&) {
            return DEOODDOSignal::create(&window, sourceOf(parent), at(p, 0), at(p, 1));
        },
        .makeTitle = [](const WindowKind& kind, unsigned number, const marluneChild& parent, const Signal& signal) {
            return formatText(kind.title, number, signal.xOfIndex(0), signal.xOfIndex(signal.count() - 1),
                              parent.caption().c_str());
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return replaced(window, signalOf<DEOODDOSignal>(window).rebuild(source));
        },
        .command = Cmd::ExtractFromTo,
        .askParameters = askFromTo,
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            const auto& part = signalOf<DEOODDOSignal>(window);
            writeParameterKeys(ini, section, FromToKeys, {part.startX, part.endX});
        },
        .readParameters = [](const TIniHelper& ini, const std::string& section) {
            return readParameterKeys(ini, section, FromToKeys);
        },
        .controlDetail = partRange,
    },
    {
        .kind = SignalKind::Cepstrum,
        .title = " %u#CEPSTRUM(%s)",
        .xLabel = "sec",
        .colour = Red,
        .icon = 30000,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters&, const SpectralSettings&) {
            return CEPSSignal::create(&window, sourceOf(parent));
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return replaced(window, CEPSSignal::create(&window, source));
        },
        .command = Cmd::Cepstrum,
        .controlDetail = ControlDetails::sampleCount,
    },
    {
        .kind = SignalKind::Smoothed,
        .title = " %u#Smoothed(%s)",
        .icon = 11050,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters& p, const SpectralSettings&) {
            return SmoothSignal::create(&window, sourceOf(parent), int32_t(at(p, 0)), int32_t(at(p, 1)));
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return signalOf<SmoothSignal>(window).update(source) ? RecomputeOutcome::Updated : RecomputeOutcome::Invalid;
        },
        .properties = smoothingProperties,
        .command = Cmd::Smoothing,
        .askParameters = askSmoothing,
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            const auto& smoothed = signalOf<SmoothSignal>(window);
            writeParameterKeys(ini, section, SmoothKeys,
                               {(long double)smoothed.smoothType, (long double)smoothed.smoothLength});
        },
        .readParameters = [](const TIniHelper& ini, const std::string& section) {
            return readParameterKeys(ini, section, SmoothKeys);
        },
    },
    {
        .kind = SignalKind::Detrended,
        .title = " %u#Detrended(%s)",
        .icon = 17004,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters&, const SpectralSettings&) {
            return DeTrendedSignal::create(&window, sourceOf(parent));
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return replaced(window, DeTrendedSignal::create(&window, source));
        },
        .command = Cmd::RemoveTrend,
        .controlDetail = ControlDetails::sampleCount,
    },
    {
        .kind = SignalKind::PeaksRemoved,
        .title = " %u#Peaks removed(%s)",
        .icon = 17005,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters& p, const SpectralSettings&) {
            return RemovePeaksSignal::create(&window, sourceOf(parent), float(at(p, 0)));
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return replaced(window, signalOf<RemovePeaksSignal>(window).rebuild(source));
        },
        .command = Cmd::RemovePeaks,
        .askParameters = askPeaks,
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            writeParameterKeys(ini, section, PeaksKeys, {signalOf<RemovePeaksSignal>(window).coefficient});
        },
        .readParameters = [](const TIniHelper& ini, const std::string& section) {
            return readParameterKeys(ini, section, PeaksKeys);
        },
        .controlDetail = ControlDetails::sampleCount,
    },
    {
        .kind = SignalKind::Averager,
        .title = " %u#Averager(%s)",
        .icon = 24456,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters&, const SpectralSettings&) {
            return AveragerSignal::create(&window, sourceOf(parent));
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return signalOf<AveragerSignal>(window).update(source) ? RecomputeOutcome::Updated : RecomputeOutcome::Held;
        },
        .reset = [](marluneMDIChild& window) { signalOf<AveragerSignal>(window).reset(); },
        .command = Cmd::Averager,
        .controlDetail = ControlDetails::sampleCount,
    },
    {
        .kind = SignalKind::PeakHold,
        .title = " %u#Peak hold(%s)",
        .icon = 24457,
        .build = [](marluneMDIChild& window, marluneChild& parent, const PendingParameters&, const SpectralSettings&) {
            return PeakHoldSignal::create(&window, sourceOf(parent));
        },
        .recompute = [](marluneMDIChild& window, marluneChild& parent) {
            const Signal& source = sourceOf(parent);
            return signalOf<PeakHoldSignal>(window).update(source) ? RecomputeOutcome::Updated : RecomputeOutcome::Held;
        },
        .reset = [](marluneMDIChild& window) {
            if (const marluneMDIChild* parent = signalWindowOf(window.parent()))
                signalOf<PeakHoldSignal>(window).reset(*parent->signal());
        },
        .command = Cmd::PeakHold,
        .controlDetail = ControlDetails::sampleCount,
    },
};
}  // namespace

std::span<const WindowKind> derivedSignalKinds()
{
    return Kinds;
}
