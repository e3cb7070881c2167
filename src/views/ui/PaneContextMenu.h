#pragma once
#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;
class CommandTarget;
class marluneChild;
class marluneMDIChild;

// The right-button menu of a signal pane, built anew each time; its commands go to the signal window.
namespace PaneContextMenu {
void run(marluneMDIChild& window, const QPoint& globalPosition, QWidget* parent);
// An item that sends command `id` to the window (or any target), enabled and checked as it says.
QAction* addCommand(QMenu& menu, CommandTarget& target, const QString& label, int id);
// "Save picture...": the pane's picture, as `render` draws it, into a PNG file the person names.
void addSavePicture(QMenu& menu, marluneChild& window, std::function<QImage()> render);
}
