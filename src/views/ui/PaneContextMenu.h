#pragma once
#include <QPoint>

class QWidget;
class marluneMDIChild;

// The right-button menu of a signal pane, built anew each time; its commands go to the signal window.
namespace PaneContextMenu {
void run(marluneMDIChild& window, const QPoint& globalPosition, QWidget* parent);
}
