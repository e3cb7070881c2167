#include "tree/ControlSelection.h"

#include <algorithm>
#include <limits>

#include "base/NumberText.h"
#include "base/UiServices.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ZoomFirst2nForm.h"

namespace {
constexpr int LongestStepText = 20;

bool is3DWindow(const marluneChild* window)
{
    return SignalKind::is3D(window->kind());
}

}  // namespace

void ControlSelection::toggle(int slot)
{
    if (!selected_.erase(slot))
        selected_.insert(slot);
}

void ControlSelection::selectAll()
{
    for (const marluneChild* window : client_.windows())
        selected_.insert(window->index());
}

void ControlSelection::unselectAll()
{
    selected_.clear();
}

void ControlSelection::invert()
{
    for (const marluneChild* window : client_.windows())
        toggle(window->index());
}

void ControlSelection::dropClosed()
{
    std::erase_if(selected_, [this](int slot) { return client_.window(slot) == nullptr; });
}

void ControlSelection::setVisible(bool visible)
{
    for (marluneChild* window : windows())
        window->setVisible(visible);
}

std::vector<marluneChild*> ControlSelection::windows() const
{
    std::vector<marluneChild*> windows;
    for (const int slot : selected_)
        if (marluneChild* window = client_.window(slot))
            windows.push_back(window);
    return windows;
}

std::vector<marluneMDIChild*> ControlSelection::signalWindows() const
{
    std::vector<marluneMDIChild*> windows;
    for (const int slot : selected_)
        if (marluneMDIChild* window = signalWindowOf(client_.window(slot)))
            windows.push_back(window);
    return windows;
}

bool ControlSelection::sameSampleRate() const
{
    const std::vector<marluneMDIChild*> windows = signalWindows();
    return !windows.empty() && std::all_of(windows.begin(), windows.end(), [&windows](const marluneMDIChild* w) {
        return w->signal()->sampleRate() == windows.front()->signal()->sampleRate();
    });
}

void ControlSelection::step(bool towardsEnd)
{
    std::vector<marluneChild*> moved;
    for (marluneMDIChild* window : signalWindows()) {
        Signal& signal = *window->signal();
        if (towardsEnd ? signal.scrollRight(window->step()) : signal.scrollLeft(window->step()))
            moved.push_back(window);
    }
    marluneChild::updateAfterChanges(moved);
}

namespace {
using Selection = ControlSelection;

std::optional<CommandState> anySelected(const Selection& selection)
{
    return CommandState{!selection.selectedSlots().empty()};
}

std::optional<CommandState> anySignalWindow(const Selection& selection)
{
    return CommandState{!selection.signalWindows().empty()};
}

std::optional<CommandState> any3DWindow(const Selection& selection)
{
    const std::vector<marluneChild*> all = selection.windows();
    return CommandState{std::any_of(all.begin(), all.end(), is3DWindow)};
}
}  // namespace

// The menus and the control bar ask for every command they show: windows are looked up only for the
// commands of the table.
const CommandRow<ControlSelection> ControlSelection::Rows[] = {
    {Cmd::TimeFFT, [](const Selection& s) { return std::optional(CommandState{s.sameSampleRate()}); },
     [](Selection& s) { s.deriveEach(Cmd::TimeFFT); }},
    {Cmd::Filter, [](const Selection& s) { return std::optional(CommandState{s.sameSampleRate()}); },
     [](Selection& s) { s.deriveEach(Cmd::Filter); }},
    {Cmd::ExtractFromTo, anySignalWindow, [](Selection& s) { s.deriveEach(Cmd::ExtractFromTo); }},
    {Cmd::Cepstrum, anySignalWindow, [](Selection& s) { s.forEach(Cmd::Cepstrum, true); }},
    {Cmd::RulerSampleUnits, anySignalWindow, [](Selection& s) { s.forEach(Cmd::RulerSampleUnits, true); }},
    {Cmd::FFT, anySignalWindow, [](Selection& s) { s.forEach(Cmd::FFT, true); }},
    {Cmd::ZoomPow2, anySignalWindow, [](Selection& s) { s.zoomToPowerOfTwo(); }},
    {Cmd::StepChange, anySignalWindow, [](Selection& s) { s.changeStep(); }},
    {Cmd::MergeParallel, anySignalWindow, [](Selection& s) { s.merge(SignalKind::StackedOverlay); }},
    {Cmd::MergeTogether, anySignalWindow, [](Selection& s) { s.merge(SignalKind::Overlay); }},
    {Cmd::MeshView, any3DWindow, [](Selection& s) { s.forEach(Cmd::MeshView, false); }},
    {Cmd::Ruler3D, any3DWindow, [](Selection& s) { s.forEach(Cmd::Ruler3D, false); }},
    {Cmd::SpectrogramView, any3DWindow, [](Selection& s) { s.forEach(Cmd::SpectrogramView, false); }},
    {Cmd::AdjustZ, any3DWindow, [](Selection& s) { s.forEach(Cmd::AdjustZ, false); }},
    {Cmd::Link, anySelected,
     [](Selection& s) {
         for (marluneChild* window : s.windows())
             window->link();
     }},
    {Cmd::Unlink, anySelected,
     [](Selection& s) {
         for (marluneChild* window : s.windows())
             window->unlink();
     }},
    {Cmd::ZoomIn, anySelected, [](Selection& s) { s.forEach(Cmd::ZoomIn, true); }},
    {Cmd::ZoomOut, anySelected, [](Selection& s) { s.forEach(Cmd::ZoomOut, true); }},
};

const CommandTable<ControlSelection> ControlSelection::Table{"control window", Rows};

std::optional<CommandState> ControlSelection::commandState(int id) const
{
    return Table.state(*this, id);
}

bool ControlSelection::command(int id)
{
    // A disabled command of the table is taken and does nothing.
    if (const auto state = commandState(id); !state || !state->enabled)
        return state.has_value();
    return Table.run(*this, id);
}

void ControlSelection::forEach(int id, bool signalWindowsOnly)
{
    // A command may close or create windows; the selection is read once, and windows that went are skipped.
    for (marluneChild* window : windows()) {
        if (!client_.isRegistered(window))
            continue;
        if (signalWindowsOnly ? SignalKind::isSignalWindow(window->kind()) : is3DWindow(window))
            window->command(id);
    }
}

void ControlSelection::zoomToPowerOfTwo()
{
    const std::vector<marluneMDIChild*> signals = signalWindows();
    ZoomFirst2nForm form(shortestVisible(std::vector<marluneChild*>(signals.begin(), signals.end())));
    if (!client_.ui().runDialog(form))
        return;
    std::vector<marluneChild*> zoomed;
    for (marluneMDIChild* window : signals) {
        Signal& signal = *window->signal();
        const uint32_t first = signal.firstVisible();
        if (!signal.zoomIn(first, first + form.length() - 1))
            continue;
        window->setStateMark('~');
        zoomed.push_back(window);
    }
    marluneChild::updateAfterChanges(zoomed);
}

void ControlSelection::deriveEach(int id)
{
    const std::vector<marluneMDIChild*> signals = signalWindows();
    const WindowKind* entry = client_.kinds().createdBy(id, signals.front()->kind());
    if (!entry)
        return;
    const std::vector<marluneChild*> parents(signals.begin(), signals.end());
    std::optional<PendingParameters> parameters = PendingParameters{};
    if (entry->askParameters)
        parameters = entry->askParameters(id, parents);
    if (!parameters)
        return;
    WaitCursor wait(client_.ui());
    for (marluneMDIChild* window : signals)
        DerivedWindows::createChild(client_, *window, entry->kind, *parameters);
}

void ControlSelection::changeStep()
{
    UiServices& ui = client_.ui();
    const auto text = ui.inputDialog("Change step", "New step :", "", LongestStepText);
    if (!text)
        return;
    // A step of 0 would stop every move; what is not a whole number of 1 or more changes nothing.
    char* end = nullptr;
    const long long step = parseLongLong(text->c_str(), &end);
    if (end == text->c_str() || step < 1 || step > std::numeric_limits<uint32_t>::max()) {
        ui.beep();
        return;
    }
    for (marluneMDIChild* window : signalWindows())
        window->setStep(uint32_t(step));
}

void ControlSelection::merge(int32_t kind)
{
    marluneJoinChild::create(client_, signalWindows(), kind);
}
