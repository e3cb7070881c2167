#include "views/ui/PaneContextMenu.h"

#include <QMenu>

#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/SignalViewCommands.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace PaneContextMenu {
QAction* addCommand(QMenu& menu, CommandTarget& target, const QString& label, int id)
{
    QAction* action = menu.addAction(label);
    // The command number travels with the item, as in the main menus.
    action->setData(id);
    const auto state = target.commandState(id);
    action->setEnabled(state && state->enabled);
    if (state && state->checked) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    QObject::connect(action, &QAction::triggered, [&target, id] { target.command(id); });
    return action;
}

void fill(QMenu& menu, marluneMDIChild& window)
{
    if (SignalViewCommands::offersReset(window)) {
        addCommand(menu, window, "Reset data", Cmd::ResetData);
        menu.addSeparator();
    }
    addCommand(menu, window, "Zoom In", Cmd::ZoomIn);
    addCommand(menu, window, "Zoom Out", Cmd::ZoomOut);
    addCommand(menu, window, "Zoom to power of 2...", Cmd::ZoomPow2);
    menu.addSeparator();
    QMenu* overlays = menu.addMenu("Overlay with");
    // With nothing to choose in it the submenu is shown disabled.
    bool anyOverlay = false;
    for (marluneChild* other : window.client().windows())
        if (other != &window && SignalKind::isSignalWindow(other->kind()))
            anyOverlay = addCommand(*overlays, window, QString::fromStdString(other->title()),
                                    Cmd::OverlayWithBase + other->index())
                             ->isEnabled() ||
                         anyOverlay;
    overlays->menuAction()->setEnabled(anyOverlay);
    menu.addSeparator();
    if (SignalViewCommands::offersHarmonicRuler(window)) {
        addCommand(menu, window, "Harmonic ruler", Cmd::HarmonicRuler);
        menu.addSeparator();
    }
    addCommand(menu, window, "Axes settings...", Cmd::AxesSettings);
    addCommand(menu, window, "Properties...", Cmd::Properties);
}
}  // namespace PaneContextMenu
