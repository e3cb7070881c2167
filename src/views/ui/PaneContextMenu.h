#pragma once
#include <QPoint>
#include <QString>

class QAction;
class QMenu;
class QWidget;
class marluneChild;
class marluneMDIChild;

// The right-button menu of a signal pane, built anew each time; its commands go to the signal window.
namespace PaneContextMenu {
void run(marluneMDIChild& window, const QPoint& globalPosition, QWidget* parent);
// An item that sends command `id` to the window, enabled and checked as the window says.
QAction* addCommand(QMenu& menu, marluneChild& window, const QString& label, int id);
}
