#pragma once
// The items of the panes' right-button menus, built anew each time; their commands go to the window.
#include <QString>

class QAction;
class QMenu;
class CommandTarget;
class marluneMDIChild;

namespace PaneContextMenu {
// The commands of a signal pane's menu.
void fill(QMenu& menu, marluneMDIChild& window);
// An item that sends command `id` to the window (or any target), enabled and checked as it says.
QAction* addCommand(QMenu& menu, CommandTarget& target, const QString& label, int id);
}
