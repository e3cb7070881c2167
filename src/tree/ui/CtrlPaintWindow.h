#pragma once
// The drawing area of the control window: the tree of windows, selected and moved by mouse and keys.
#include <QWidget>
#include <functional>

#include "tree/ClientListener.h"
#include "tree/ClientSubscription.h"
#include "tree/ControlSelection.h"

class QMenu;
class marluneChild;
class marluneMDIClient;

// The drawing area of the control window: the tree as ControlDiagram lays it out, drawn anew whenever
// the tree changes. A click on an icon selects or unselects its window; the right button opens the
// window's own menu on an icon and the selection's menu elsewhere; the arrow keys move or zoom the
// selected windows.
class CtrlPaintWindow : public QWidget, public ClientListener {
    Q_OBJECT
public:
    // The scroller's unit in pixels.
    static constexpr int ScrollUnitX = 8;
    static constexpr int ScrollUnitY = 16;

    explicit CtrlPaintWindow(marluneMDIClient& client, QWidget* parent = nullptr);

    ControlSelection& selection() { return selection_; }

    // The menus as the right button builds them: the window's own for an icon, else the background's.
    void fillWindowMenu(QMenu& menu, marluneChild& window);
    void fillBackgroundMenu(QMenu& menu);

    void childCreated(marluneChild&) override { treeChanged(); }
    void treeChanged() override;

signals:
    // A menu of the drawing area closed: the control window comes back to the top.
    void menuClosed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitDiagram();
    // An item that applies `action` to the selection and repaints.
    void addSelectionItem(QMenu& menu, const QString& label, std::function<void()> action);

    marluneMDIClient& client_;
    ControlSelection selection_;
    ClientSubscription subscription_{client_, *this};
};
