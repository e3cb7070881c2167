#include "tree/marluneMDIChild.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "base/FormatText.h"
#include "base/NoMoreMemory.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "fileio/FileReadResult.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/ProcessingCommands.h"
#include "tree/SignalFileCommands.h"
#include "tree/SignalViewCommands.h"
#include "tree/SignalWindowCommands.h"
#include "tree/StepChangeForm.h"
#include "tree/marluneMDIClient.h"
#include "views/CurvePlot.h"

marluneMDIChild::marluneMDIChild(marluneMDIClient& client, int32_t kind, std::unique_ptr<Signal> signal)
    : marluneChild(client, kind), signal_(std::move(signal))
{
    if (signal_)
        signal_->setOwner(this);
}

marluneMDIChild::~marluneMDIChild() = default;

void marluneMDIChild::replaceSignal(std::unique_ptr<Signal> signal)
{
    signal->setOwner(this);
    std::swap(signal_, signal);
}

bool marluneMDIChild::showsSamples() const
{
    return signal_ && CurvePlot::drawable(signal_->sampleRate(), invalid(), signal_->visibleCount());
}

marluneMDIChild* marluneMDIChild::mainSignal() const
{
    return client().isRegistered(mainSignal_) ? mainSignal_ : nullptr;
}

bool marluneMDIChild::recomputeFromParents()
{
    // Every road of an update comes here (commands, panes, recordings, playback): a block that cannot be
    // had leaves the window's previous signal, marked, and the pass goes on balanced.
    RecomputeOutcome outcome = RecomputeOutcome::Invalid;
    try {
        outcome = DerivedWindows::recompute(*this);
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(client().ui());
    }
    switch (outcome) {
    case RecomputeOutcome::Updated:
        setInvalid(false);
        return true;
    case RecomputeOutcome::Invalid:
        setInvalid(true);
        repaint();
        return false;
    case RecomputeOutcome::Held:
        return false;
    }
    return false;
}

void marluneMDIChild::notify()
{
    const WindowKind* entry = kindEntry();
    if (entry && entry->holdsNextUpdate && entry->holdsNextUpdate(*signal_))
        return;
    marluneChild::notify();
}

void marluneMDIChild::afterRecompute()
{
    // Marks made on the old samples would mark others now.
    selection_.reset();
    pasteOffset_.reset();
    announce({ChildChange::Samples});
    repaint();
    if (client().activeChild() == this)
        refreshStatusBar();
}

void marluneMDIChild::setSelection(const std::optional<SampleSelection>& selection)
{
    if (selection == selection_)
        return;
    selection_ = selection;
    announce({ChildChange::Marks});
}

void marluneMDIChild::setHarmonicRuler(bool on)
{
    if (on == harmonicRuler_)
        return;
    harmonicRuler_ = on;
    announce({ChildChange::Marks});
}

void marluneMDIChild::afterViewChange()
{
    updateAfterChange();
}

bool marluneMDIChild::zoomIn()
{
    bool zoomed = false;
    if (selection_) {
        const auto [first, last] = selection_->zoom;
        if (last - first < 16)
            return false;
        zoomed = signal_->zoomIn(first, last);
    } else {
        zoomed = signal_->zoomForward();
    }
    if (!zoomed)
        return false;
    setStateMark('~');
    afterViewChange();
    return true;
}

bool marluneMDIChild::zoomOut()
{
    if (!signal_->zoomBack())
        return false;
    if (signal_->zoomLevel() == 0)
        setStateMark(' ');
    afterViewChange();
    return true;
}

bool marluneMDIChild::stepLeft()
{
    if (!signal_->scrollLeft(step_))
        return false;
    afterViewChange();
    return true;
}

bool marluneMDIChild::stepRight()
{
    if (!signal_->scrollRight(step_))
        return false;
    afterViewChange();
    return true;
}

bool marluneMDIChild::toBeginning()
{
    const uint32_t first = signal_->firstVisible();
    if (signal_->zoomLevel() == 0 || first == 0 || !signal_->scrollLeft(first))
        return false;
    afterViewChange();
    return true;
}

bool marluneMDIChild::toEnd()
{
    const uint32_t distance = signal_->count() - 1 - signal_->lastVisible();
    if (signal_->zoomLevel() == 0 || distance == 0 || !signal_->scrollRight(distance))
        return false;
    afterViewChange();
    return true;
}

bool marluneMDIChild::scrollTo(uint32_t first)
{
    const uint32_t now = signal_->firstVisible();
    first = std::min(first, signal_->count() - signal_->visibleCount());
    if (signal_->zoomLevel() == 0 || first == now)
        return false;
    if (!(first > now ? signal_->scrollRight(first - now) : signal_->scrollLeft(now - first)))
        return false;
    afterViewChange();
    return true;
}

bool marluneMDIChild::zoomInAbout(uint32_t index)
{
    const uint32_t shown = signal_->visibleCount();
    const uint32_t length = shown / 2;
    const uint32_t first = signal_->firstVisible();
    if (length <= 16 || index < first || index > signal_->lastVisible())
        return false;
    // The sample keeps its fraction of the view, as far as the signal's ends allow.
    const long double fraction = (long double)(index - first) / (shown - 1);
    const int64_t start = std::clamp(int64_t(index) - int64_t(std::llround(fraction * (length - 1))), int64_t(0),
                                     int64_t(signal_->count()) - int64_t(length));
    if (!signal_->zoomIn(uint32_t(start), uint32_t(start) + length - 1))
        return false;
    setStateMark('~');
    afterViewChange();
    return true;
}

void marluneMDIChild::refreshStatusBar() const
{
    UiServices& ui = client().ui();
    if (originalUnits_ == 1) {
        ui.setStatusText(StatusField::RangeFrom, formatText("%.3Lf", signal_->firstVisibleX()));
        ui.setStatusText(StatusField::RangeTo, formatText("%.3Lf", signal_->lastVisibleX()));
    } else {
        ui.setStatusText(StatusField::RangeFrom, formatText("%lu", static_cast<unsigned long>(signal_->firstVisible())));
        ui.setStatusText(StatusField::RangeTo, formatText("%lu", static_cast<unsigned long>(signal_->lastVisible())));
    }
    ui.setStatusText(StatusField::Step, formatText("%u", step_));
    ui.setStatusText(StatusField::SampleRate, formatText("%.3Lf", signal_->sampleRate()));
}

void marluneMDIChild::showStatusBar() const
{
    client().ui().show3DStatusBar(false);
    refreshStatusBar();
}

void marluneMDIChild::showCursorReadout(uint32_t index) const
{
    UiServices& ui = client().ui();
    if (originalUnits_ == 1)
        ui.setStatusText(StatusField::X, formatText("%.6f", double(signal_->xOfIndex(index))));
    else
        ui.setStatusText(StatusField::X, formatText("%lu", static_cast<unsigned long>(index)));
    ui.setStatusText(StatusField::Y, formatText("%.6G", double(signal_->samples()[index])));
}

void marluneMDIChild::changeStep(int delta)
{
    if (delta < 0 && step_ >= 2)
        --step_;
    if (delta > 0 && step_ < signal_->count() / 2)
        ++step_;
    client().ui().setStatusText(StatusField::Step, formatText("%u", step_));
}

void marluneMDIChild::stepChangeDialog()
{
    StepChangeForm form(step_, signal_->sampleRate());
    if (client().ui().runDialog(form)) {
        step_ = form.step();
        client().ui().setStatusText(StatusField::Step, formatText("%u", step_));
    }
}

void marluneMDIChild::sampleRateChange()
{
    UiServices& ui = client().ui();
    const auto text = ui.inputDialog("New sample rate", "Sample rate (Hz):", formatText("%Lg", signal_->sampleRate()), 20);
    if (!text)
        return;
    const float rate = parseFloat(*text);
    // A rate of 0 or below would leave the window without a time axis, a vanishing one without ticks.
    if (!isUsableSampleRate(rate)) {
        ui.beep();
        return;
    }
    signal_->setSampleRate(rate);
    ui.setStatusText(StatusField::SampleRate, formatText("%.3Lf", signal_->sampleRate()));
    repaint();
}

void marluneMDIChild::changeTitleDialog()
{
    if (const auto text = client().ui().inputDialog("New title", "Window title:", title(), 48))
        changeTitle(*text);
}

namespace {
std::optional<CommandState> zoomed(const marluneMDIChild& window)
{
    return CommandState{window.signal()->zoomLevel() > 0};
}
}  // namespace

const CommandRow<marluneMDIChild> marluneMDIChild::OwnRows[] = {
    {Cmd::ZoomIn,
     [](const marluneMDIChild& window) {
         const Signal& signal = *window.signal();
         return std::optional(CommandState{window.selection().has_value() || signal.zoomLevel() < signal.zoomDepth()});
     },
     [](marluneMDIChild& window) { window.zoomIn(); }},
    {Cmd::ZoomOut, zoomed, [](marluneMDIChild& window) { window.zoomOut(); }},
    {Cmd::SignalBeginning, zoomed, [](marluneMDIChild& window) { window.toBeginning(); }},
    {Cmd::SignalEnd, zoomed, [](marluneMDIChild& window) { window.toEnd(); }},
    {Cmd::StepChange, nullptr, [](marluneMDIChild& window) { window.stepChangeDialog(); }},
    {Cmd::SampleRateChange, nullptr, [](marluneMDIChild& window) { window.sampleRateChange(); }},
    {Cmd::StepUp, nullptr, [](marluneMDIChild& window) { window.changeStep(+1); }},
    {Cmd::StepDown, nullptr, [](marluneMDIChild& window) { window.changeStep(-1); }},
    {Cmd::ChangeTitle, nullptr, [](marluneMDIChild& window) { window.changeTitleDialog(); }},
    {Cmd::RulerSampleUnits,
     [](const marluneMDIChild& window) { return std::optional(CommandState{true, window.originalUnits_ != 1}); },
     [](marluneMDIChild& window) {
         window.originalUnits_ = window.originalUnits_ == 1 ? 0 : 1;
         window.refreshStatusBar();
     }},
};

const CommandTable<marluneMDIChild> marluneMDIChild::OwnCommands{"signal window", OwnRows};

std::span<const CommandTable<marluneMDIChild>* const> marluneMDIChild::commandTables()
{
    static const CommandTable<marluneMDIChild>* const Tables[] = {&SignalViewCommands::Table, &ProcessingCommands::Table,
                                                                  &SignalFileCommands::Table, &OwnCommands};
    return Tables;
}

std::optional<CommandState> marluneMDIChild::commandState(int id) const
{
    if (auto state = SignalViewCommands::overlayWithState(*this, id))
        return state;
    for (const CommandTable<marluneMDIChild>* table : commandTables())
        if (auto state = table->state(*this, id))
            return state;
    for (const SignalWindowCommands* commands : client().signalWindowCommands())
        if (auto state = commands->commandState(*this, id))
            return state;
    return marluneChild::commandState(id);
}

bool marluneMDIChild::command(int id)
{
    if (SignalViewCommands::overlayWith(*this, id))
        return true;
    for (const CommandTable<marluneMDIChild>* table : commandTables())
        if (table->run(*this, id))
            return true;
    for (SignalWindowCommands* commands : std::vector(client().signalWindowCommands()))
        if (commands->command(*this, id))
            return true;
    return marluneChild::command(id);
}

void marluneMDIChild::saveKindKeys(TIniHelper& ini, const std::string& section) const
{
    if (const WindowKind* entry = kindEntry(); entry && entry->saveKeys)
        entry->saveKeys(*this, ini, section);
}

uint32_t shortestVisible(std::span<marluneChild* const> windows)
{
    uint32_t shortest = std::numeric_limits<uint32_t>::max();
    for (const marluneChild* window : windows)
        if (const marluneMDIChild* signalWindow = signalWindowOf(window))
            shortest = std::min(shortest, signalWindow->signal()->visibleCount());
    return shortest;
}
