#pragma once
// The control window: the tree's diagram in a scrolling area.
#include <QMdiSubWindow>

#include "tree/WindowPlacement.h"

class CtrlPaintWindow;
class marluneMDIClient;

// It tells the client where it stands while it is open, and that it is closed once it is gone, for the
// workspace's ControlWindow section.
class marluneControlWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int32_t Icon = 61;

    explicit marluneControlWindow(marluneMDIClient& client);
    ~marluneControlWindow() override;

    CtrlPaintWindow* drawing() const { return drawing_; }
    // Moves the window to a stored placement within the MDI client area.
    void place(const WindowPlacement& placement);

signals:
    // Sent while the window is destroyed, before its drawing area and selection are.
    void closing();

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void report();

    marluneMDIClient& client_;
    CtrlPaintWindow* drawing_;
};
