#include "tree/ProcessingCommands.h"

#include <cstdlib>
#include <memory>

#include "settings/FFTDefaultsForm.h"
#include "settings/SmoothingForm.h"
#include "signal/AveragerSignal.h"
#include "signal/PeakHoldSignal.h"
#include "signal/SignalKind.h"
#include "signal/SmoothSignal.h"
#include "signal/SpectrumSignal.h"
#include "tree/ChildView.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterControlForm.h"
#include "tree/FilterForm.h"
#include "tree/ModelessDialogHost.h"
#include "tree/UiServices.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
bool resettable(int32_t kind)
{
    return kind == SignalKind::Averager || kind == SignalKind::PeakHold;
}

bool hasProperties(int32_t kind)
{
    return kind == SignalKind::Spectrum || kind == SignalKind::Filtered || kind == SignalKind::Smoothed;
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
        return CommandState{window.showsSamples()};
    case Cmd::ResetData:
        return resettable(window.kind()) ? std::optional(CommandState{}) : std::nullopt;
    case Cmd::Properties:
        return hasProperties(window.kind()) ? std::optional(CommandState{}) : std::nullopt;
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
    case Cmd::ExtractSelection:
        extractSelection();
        return true;
    case Cmd::ExtractFromTo:
        extractFromTo();
        return true;
    case Cmd::ResetData:
        if (!resettable(window_.kind()))
            return false;
        resetData();
        return true;
    case Cmd::Properties:
        if (window_.kind() == SignalKind::Spectrum)
            spectrumProperties();
        else if (window_.kind() == SignalKind::Filtered)
            filterControl();
        else if (window_.kind() == SignalKind::Smoothed)
            smoothingProperties();
        else
            return false;
        return true;
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
                           {(long double)std::strtof(text->c_str(), nullptr)});
}

void ProcessingCommands::extractSelection()
{
    if (window_.view() && window_.view()->selectedSamples())
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

void ProcessingCommands::filterControl()
{
    ModelessDialogHost* host = ModelessDialogHost::installed();
    if (!host) {
        window_.client().ui().beep();
        return;
    }
    host->open(std::make_shared<FilterControlForm>(window_.client(), window_));
}

void ProcessingCommands::spectrumProperties()
{
    auto& spectrum = static_cast<SpectrumSignal&>(*window_.signal());
    FFTDefaultsForm form(window_.client().ui(), spectrum.spectral, FFTDefaultsForm::Context::Spectrum);
    if (!window_.client().ui().runDialog(form))
        return;
    // A root spectrum keeps its values; the new settings apply from its next computation on.
    spectrum.spectral = form.result();
    WaitCursor wait(window_.client().ui());
    DerivedWindows::refresh(window_);
}

void ProcessingCommands::smoothingProperties()
{
    auto& smoothed = static_cast<SmoothSignal&>(*window_.signal());
    SmoothingForm form(window_.client().ui(), smoothed.smoothType, smoothed.smoothLength);
    if (!window_.client().ui().runDialog(form))
        return;
    smoothed.smoothType = int32_t(form.type());
    smoothed.smoothLength = int32_t(form.lengthValue());
    WaitCursor wait(window_.client().ui());
    DerivedWindows::refresh(window_);
}

void ProcessingCommands::resetData()
{
    if (window_.kind() == SignalKind::Averager) {
        static_cast<AveragerSignal&>(*window_.signal()).reset();
    } else if (const auto* parent = static_cast<const marluneMDIChild*>(window_.parent())) {
        static_cast<PeakHoldSignal&>(*window_.signal()).reset(*parent->signal());
    }
    window_.updateAfterChange();
}
