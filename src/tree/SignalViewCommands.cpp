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

bool SignalViewCommands::hasSelection(const marluneMDIChild& window)
{
    return window.selection().has_value();
}

marluneMDIChild* SignalViewCommands::overlayPartner(const marluneMDIChild& window, int id)
{
    const int index = id - Cmd::OverlayWithBase;
    if (index < 0 || index >= marluneMDIClient::MaxWindows)
        return nullptr;
    marluneMDIChild* other = signalWindowOf(window.client().window(index));
    return other == &window ? nullptr : other;
}

std::optional<CommandState> SignalViewCommands::commandState(const marluneMDIChild& window, int id)
{
    if (id >= Cmd::OverlayWithBase && id < Cmd::OverlayWithBase + marluneMDIClient::MaxWindows)
        return CommandState{overlayPartner(window, id) != nullptr};
    switch (id) {
    case Cmd::ZoomPow2:
        return CommandState{window.signal()->visibleCount() > ShortestPowerOfTwo};
    case Cmd::Copy:
    case Cmd::Cut:
        return CommandState{hasSelection(window) && !window.parent()};
    case Cmd::Paste:
        return CommandState{window.showsSamples() && window.client().ui().hasClipboardBlock()};
    case Cmd::FillMean:
    case Cmd::FillZero:
        return CommandState{hasSelection(window)};
    case Cmd::AxesSettings:
        return CommandState{};
    case Cmd::CopyPicture:
        return CommandState{};
    case Cmd::HarmonicRuler:
        return CommandState{window.kind() == SignalKind::Spectrum, window.harmonicRuler()};
    default:
        return std::nullopt;
    }
}

bool SignalViewCommands::command(int id)
{
    if (id >= Cmd::OverlayWithBase && id < Cmd::OverlayWithBase + marluneMDIClient::MaxWindows) {
        if (marluneMDIChild* other = overlayPartner(window_, id))
            marluneJoinChild::create(window_.client(), {&window_, other}, SignalKind::Overlay);
        return true;
    }
    switch (id) {
    case Cmd::ZoomPow2:
        zoomToPowerOfTwo();
        return true;
    case Cmd::Copy:
        copy();
        return true;
    case Cmd::Cut:
        cut();
        return true;
    case Cmd::Paste:
        paste();
        return true;
    case Cmd::FillMean:
    case Cmd::FillZero:
        fill(id == Cmd::FillMean);
        return true;
    case Cmd::AxesSettings:
        axesSettings();
        return true;
    case Cmd::CopyPicture:
        window_.request(DesktopRequest::CopyPicture);
        return true;
    case Cmd::HarmonicRuler:
        if (window_.kind() == SignalKind::Spectrum)
            window_.setHarmonicRuler(!window_.harmonicRuler());
        return true;
    default:
        return false;
    }
}

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
