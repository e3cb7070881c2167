#include "tree/SignalViewCommands.h"

#include "base/UiServices.h"
#include "dsp/Statistics.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ClipboardBlock.h"
#include "views/YAxisForm.h"
#include "views/ZoomFirst2nForm.h"

namespace {
// The shortest list of the power-of-two dialog starts at 16 samples.
constexpr uint32_t ShortestPowerOfTwo = 16;
}  // namespace

marluneMDIChild* SignalViewCommands::overlayPartner(const marluneMDIChild& window, int id)
{
    const int index = id - Cmd::OverlayWithBase;
    if (index < 0 || index >= marluneMDIClient::MaxWindows)
        return nullptr;
    marluneMDIChild* other = signalWindowOf(window.client().window(index));
    return other == &window ? nullptr : other;
}

bool SignalViewCommands::offersHarmonicRuler(const marluneMDIChild& window)
{
    const WindowKind* entry = window.kindEntry();
    return entry && entry->harmonicRuler;
}

bool SignalViewCommands::offersReset(const marluneMDIChild& window)
{
    const WindowKind* entry = window.kindEntry();
    return entry && entry->reset;
}

std::optional<CommandState> SignalViewCommands::overlayWithState(const marluneMDIChild& window, int id)
{
    if (id < Cmd::OverlayWithBase || id >= Cmd::OverlayWithBase + marluneMDIClient::MaxWindows)
        return std::nullopt;
    return CommandState{overlayPartner(window, id) != nullptr};
}

bool SignalViewCommands::overlayWith(marluneMDIChild& window, int id)
{
    if (id < Cmd::OverlayWithBase || id >= Cmd::OverlayWithBase + marluneMDIClient::MaxWindows)
        return false;
    if (marluneMDIChild* other = overlayPartner(window, id))
        marluneJoinChild::create(window.client(), {&window, other}, SignalKind::Overlay);
    return true;
}

namespace {
std::optional<CommandState> withSelection(const marluneMDIChild& window)
{
    return CommandState{window.selection().has_value()};
}

// Cut and copy take samples of a window's own signal only.
std::optional<CommandState> withOwnSelection(const marluneMDIChild& window)
{
    return CommandState{window.selection().has_value() && !window.parent()};
}
}  // namespace

const CommandRow<marluneMDIChild> SignalViewCommands::Rows[] = {
    {Cmd::ZoomPow2,
     [](const marluneMDIChild& window) {
         return std::optional(CommandState{window.signal()->visibleCount() > ShortestPowerOfTwo});
     },
     [](marluneMDIChild& window) { SignalViewCommands(window).zoomToPowerOfTwo(); }},
    {Cmd::Copy, withOwnSelection, [](marluneMDIChild& window) { SignalViewCommands(window).copy(); }},
    {Cmd::Cut, withOwnSelection, [](marluneMDIChild& window) { SignalViewCommands(window).cut(); }},
    {Cmd::Paste,
     [](const marluneMDIChild& window) {
         return std::optional(CommandState{window.showsSamples() && window.client().ui().hasClipboardBlock()});
     },
     [](marluneMDIChild& window) { SignalViewCommands(window).paste(); }},
    {Cmd::FillMean, withSelection, [](marluneMDIChild& window) { SignalViewCommands(window).fill(true); }},
    {Cmd::FillZero, withSelection, [](marluneMDIChild& window) { SignalViewCommands(window).fill(false); }},
    {Cmd::AxesSettings, nullptr, [](marluneMDIChild& window) { SignalViewCommands(window).axesSettings(); }},
    {Cmd::CopyPicture, nullptr, [](marluneMDIChild& window) { window.request(DesktopRequest::CopyPicture); }},
    {Cmd::HarmonicRuler,
     [](const marluneMDIChild& window) {
         return std::optional(CommandState{offersHarmonicRuler(window), window.harmonicRuler()});
     },
     [](marluneMDIChild& window) {
         if (offersHarmonicRuler(window))
             window.setHarmonicRuler(!window.harmonicRuler());
     }},
};

const CommandTable<marluneMDIChild> SignalViewCommands::Table{"signal window: view", Rows};

void SignalViewCommands::zoomToPowerOfTwo()
{
    Signal& signal = *window_.signal();
    ZoomFirst2nForm form(signal.visibleCount());
    if (!window_.client().ui().runDialog(form))
        return;
    const uint32_t first = signal.firstVisible();
    if (!signal.zoomIn(first, first + form.length() - 1))
        return;
    window_.setStateMark('~');
    window_.updateAfterChange();
}

void SignalViewCommands::copy()
{
    const Signal& signal = *window_.signal();
    const auto& selection = window_.selection();
    const auto [first, last] = selection ? selection->edit : std::pair{signal.firstVisible(), signal.lastVisible()};
    window_.client().ui().setClipboardBlock(ClipboardBlock::encode(signal.samples() + first, last - first + 1));
    window_.repaint();
    window_.refreshStatusBar();
}

void SignalViewCommands::cut()
{
    const auto& selection = window_.selection();
    if (!selection || selection->edit.second == selection->edit.first)
        return;
    const auto [first, last] = selection->edit;
    Signal& signal = *window_.signal();
    // Encoded before the cut moves the samples; put on the clipboard only when the cut happened.
    auto block = ClipboardBlock::encode(signal.samples() + first, last - first + 1);
    if (!signal.cut(first, last))
        return;
    window_.client().ui().setClipboardBlock(block);
    window_.updateAfterChange();
}

void SignalViewCommands::paste()
{
    const auto block = window_.client().ui().clipboardBlock();
    const auto values = block ? ClipboardBlock::decode(*block) : std::nullopt;
    const auto offset = window_.pasteOffset();
    if (!values || !offset)
        return;
    Signal& signal = *window_.signal();
    if (!signal.paste(signal.firstVisible() + *offset, *values))
        return;
    window_.updateAfterChange();
}

void SignalViewCommands::fill(bool withMean)
{
    const auto& selection = window_.selection();
    if (!selection)
        return;
    Signal& signal = *window_.signal();
    const float value = withMean ? float(mean(signal.visibleSamples(), signal.visibleCount())) : 0.0f;
    signal.fill(selection->edit.first, selection->edit.second, value);
    window_.updateAfterChange();
}

void SignalViewCommands::axesSettings()
{
    marluneMDIChild& w = window_;
    Signal& signal = *w.signal();
    const auto previewRange = [&w, &signal](float max, float min) {
        // The range holds while the window repaints, whatever its own scaling rule says.
        const bool fixed = w.fixedMinMax();
        w.setFixedMinMax(true);
        signal.setYRange(max, min);
        w.repaint();
        w.setFixedMinMax(fixed);
    };
    YAxisForm::run(w.client().ui(), w.curveDisplay(), signal.yMax(), signal.yMin(), previewRange, [&w] { w.repaint(); });
}
