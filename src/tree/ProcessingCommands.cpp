#include "tree/ProcessingCommands.h"

#include <limits>
#include <memory>

#include "base/NumberText.h"
#include "base/UiServices.h"
#include "settings/SmoothingForm.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterForm.h"
#include "tree/WindowKinds.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/TimeFFTForm.h"

namespace {
// The table entry's action for "Properties..." or "Reset data"; null when the kind has none.
using KindAction = void (*)(marluneMDIChild&);

KindAction propertiesOf(const marluneMDIChild& window)
{
    const WindowKind* entry = WindowKinds::find(window.kind());
    if (!entry || (entry->offersProperties && !entry->offersProperties(window)))
        return nullptr;
    return entry->properties;
}

KindAction resetOf(const marluneMDIChild& window)
{
    const WindowKind* entry = WindowKinds::find(window.kind());
    return entry ? entry->reset : nullptr;
}
}  // namespace

std::optional<CommandState> ProcessingCommands::commandState(const marluneMDIChild& window, int id)
{
    switch (id) {
    case Cmd::FFT:
    case Cmd::Filter:
    case Cmd::Smoothing:
    case Cmd::RemoveTrend:
    case Cmd::RemovePeaks:
    case Cmd::Averager:
    case Cmd::PeakHold:
    case Cmd::Cepstrum:
    case Cmd::ExtractSelection:
    case Cmd::ExtractFromTo:
    case Cmd::TimeFFT:
    case Cmd::Spectrogram:
    case Cmd::SignalLog3D:
        return CommandState{window.showsSamples()};
    case Cmd::ResetData:
        return resetOf(window) ? std::optional(CommandState{}) : std::nullopt;
    case Cmd::Properties:
        return propertiesOf(window) ? std::optional(CommandState{}) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool ProcessingCommands::command(int id)
{
    switch (id) {
    case Cmd::FFT:
        // A spectrum needs at least 4 visible samples; a signal of 7 or fewer makes none.
        if (window_.signal()->count() > 7)
            derive(SignalKind::Spectrum);
        return true;
    case Cmd::Filter:
        filter();
        return true;
    case Cmd::Smoothing:
        smoothing();
        return true;
    case Cmd::RemoveTrend:
        derive(SignalKind::Detrended);
        return true;
    case Cmd::RemovePeaks:
        removePeaks();
        return true;
    case Cmd::Averager:
        derive(SignalKind::Averager);
        return true;
    case Cmd::PeakHold:
        derive(SignalKind::PeakHold);
        return true;
    case Cmd::Cepstrum:
        derive(SignalKind::Cepstrum);
        return true;
    case Cmd::TimeFFT:
    case Cmd::Spectrogram:
        timeFFT(id == Cmd::Spectrogram);
        return true;
    case Cmd::SignalLog3D:
        signalLog3D();
        return true;
    case Cmd::ExtractSelection:
        extractSelection();
        return true;
    case Cmd::ExtractFromTo:
        extractFromTo();
        return true;
    case Cmd::ResetData:
        if (const KindAction reset = resetOf(window_)) {
            reset(window_);
            window_.updateAfterChange();
            return true;
        }
        return false;
    case Cmd::Properties:
        if (const KindAction properties = propertiesOf(window_)) {
            properties(window_);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void ProcessingCommands::derive(int kind)
{
    WaitCursor wait(window_.client().ui());
    DerivedWindows::create(window_.client(), window_, kind);
}

void ProcessingCommands::filter()
{
    FilterForm form = FilterForm::forSignal(*window_.signal());
    if (!window_.client().ui().runDialog(form))
        return;
    WaitCursor wait(window_.client().ui());
    DerivedWindows::create(window_.client(), window_, SignalKind::Filtered, form.parameters());
}

void ProcessingCommands::smoothing()
{
    SmoothingForm form(window_.client().ui(), 0, 15);
    if (!window_.client().ui().runDialog(form))
        return;
    WaitCursor wait(window_.client().ui());
    DerivedWindows::create(window_.client(), window_, SignalKind::Smoothed, {form.type(), form.lengthValue()});
}

void ProcessingCommands::removePeaks()
{
    UiServices& ui = window_.client().ui();
    const auto text = ui.inputDialog("Remove peaks", "Koef. :", "2", 4);
    if (!text)
        return;
    WaitCursor wait(ui);
    DerivedWindows::create(window_.client(), window_, SignalKind::PeaksRemoved,
                           {(long double)parseFloat(*text)});
}

void ProcessingCommands::extractSelection()
{
    if (window_.selection())
        DerivedWindows::create(window_.client(), window_, SignalKind::ExtractedPart);
    // Every extract command counts, whether or not it made a window.
    window_.setPartCounter(window_.partCounter() + 1);
}

void ProcessingCommands::extractFromTo()
{
    ExtractOdDoForm form = ExtractOdDoForm::forSignal(*window_.signal());
    if (!window_.client().ui().runDialog(form))
        return;
    DerivedWindows::create(window_.client(), window_, SignalKind::ExtractedFromTo, {form.from(), form.to()});
}

void ProcessingCommands::timeFFT(bool spectrogram)
{
    const Signal& signal = *window_.signal();
    TimeFFTForm form(window_.client().ui(), signal.visibleCount(), signal.sampleRate(), spectrogram);
    if (!window_.client().ui().runDialog(form))
        return;
    marlune3DChild::createTimeFFT(window_.client(), window_, form.result());
}

void ProcessingCommands::signalLog3D()
{
    UiServices& ui = window_.client().ui();
    const auto text = ui.inputDialog("3D Signal log", "Length:", "100", 10);
    if (!text)
        return;
    const long long length = parseLongLong(text->c_str());
    if (length < 1 || length > std::numeric_limits<int32_t>::max()) {
        ui.beep();
        return;
    }
    marlune3DChild::createLog(window_.client(), window_, uint32_t(length));
}
