#include "tree/ProcessingCommands.h"


#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/SignalViewCommands.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

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
