#pragma once
// The MDI subwindow of one tree window: mirrors its caption and icon, and carries out what the window asks of the desktop.
#include <QMdiSubWindow>
#include <QTimer>

#include "tree/ChildSubscription.h"

// It goes away when the core destroys the window; closing it by hand asks the core to destroy the window.
class ChildSubWindow : public QMdiSubWindow, private ChildListener, private DesktopListener {
    Q_OBJECT
public:
    ChildSubWindow(marluneChild& child, QWidget* pane);

    // Null once the core has destroyed the window.
    marluneChild* child() const { return subscription_.window(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void childChanged(marluneChild& child, const ChildEvent& event) override;
    void desktopRequested(marluneChild& child, DesktopRequest request) override;
    // A flashing window's frame blinks red.
    void showFlash(bool on);
    void blink();
    // The size of the MDI client area the placement is measured against.
    QSize clientSize() const;
    // Tells the core where the window stands now.
    void reportPlacement();
    void applyPlacement();

    ChildSubscription subscription_;
    QTimer flashTimer_;
    bool flashLit_ = false;
};
