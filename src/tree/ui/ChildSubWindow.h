#pragma once
#include <QMdiSubWindow>
#include <QTimer>

#include "tree/ChildEvent.h"

class marluneChild;

// The MDI subwindow of one tree window: mirrors its caption and icon, and goes away when the core
// destroys the window. Closing it by hand asks the core to destroy the window.
class ChildSubWindow : public QMdiSubWindow, public ChildListener {
    Q_OBJECT
public:
    ChildSubWindow(marluneChild& child, QWidget* pane);
    ~ChildSubWindow() override;

    // Null once the core has destroyed the window.
    marluneChild* child() const { return child_; }

    void childChanged(marluneChild& child, const ChildEvent& event) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A flashing window's frame blinks red.
    void showFlash(bool on);
    void blink();
    // The size of the MDI client area the placement is measured against.
    QSize clientSize() const;
    // Tells the core where the window stands now.
    void reportPlacement();
    void applyPlacement();

    marluneChild* child_;
    QTimer flashTimer_;
    bool flashLit_ = false;
};
