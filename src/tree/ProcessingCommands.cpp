#include "tree/ProcessingCommands.h"

#include <limits>
#include <memory>

#include "base/NumberText.h"
#include "base/UiServices.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/SignalViewCommands.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/TimeFFTForm.h"

namespace {
// The table entry's action for "Properties..." or "Reset data"; null when the kind has none.
using KindAction = void (*)(marluneMDIChild&);

KindAction propertiesOf(const marluneMDIChild& window)
{
    const WindowKind* entry = window.kindEntry();
    if (!entry || (entry->offersProperties && !entry->offersProperties(window)))
        return nullptr;
    return entry->properties;
}

KindAction resetOf(const marluneMDIChild& window)
{
    return SignalViewCommands::offersReset(window) ? window.kindEntry()->reset : nullptr;
}


std::optional<CommandState> showsSamples(const marluneMDIChild& window)
{
    return CommandState{window.showsSamples()};
}
}  // namespace

const CommandRow<marluneMDIChild> ProcessingCommands::Rows[] = {
    {Cmd::ExtractSelection, showsSamples, [](marluneMDIChild& window) { ProcessingCommands(window).extractSelection(); }},
    {Cmd::TimeFFT, showsSamples, [](marluneMDIChild& window) { ProcessingCommands(window).timeFFT(false); }},
    {Cmd::Spectrogram, showsSamples, [](marluneMDIChild& window) { ProcessingCommands(window).timeFFT(true); }},
    {Cmd::SignalLog3D, showsSamples, [](marluneMDIChild& window) { ProcessingCommands(window).signalLog3D(); }},
    {Cmd::ResetData,
     [](const marluneMDIChild& window) { return resetOf(window) ? std::optional(CommandState{}) : std::nullopt; },
     [](marluneMDIChild& window) {
         resetOf(window)(window);
         window.updateAfterChange();
     }},
    {Cmd::Properties,
     [](const marluneMDIChild& window) { return propertiesOf(window) ? std::optional(CommandState{}) : std::nullopt; },
     [](marluneMDIChild& window) { propertiesOf(window)(window); }},
};

const CommandTable<marluneMDIChild> ProcessingCommands::Table{"signal window: processing", Rows};

void ProcessingCommands::extractSelection()
{
    if (window_.selection())
        DerivedWindows::create(window_.client(), window_, SignalKind::ExtractedPart);
    // Every extract command counts, whether or not it made a window.
    window_.setPartCounter(window_.partCounter() + 1);
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
