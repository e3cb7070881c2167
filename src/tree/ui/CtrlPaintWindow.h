#pragma once
#include <QWidget>
#include <set>

#include "tree/ClientListener.h"

class marluneMDIClient;

// The drawing area of the control window: the tree as ControlDiagram lays it out, drawn anew whenever
// the tree changes. A click on an icon selects or unselects its window.
class CtrlPaintWindow : public QWidget, public ClientListener {
    Q_OBJECT
public:
    explicit CtrlPaintWindow(marluneMDIClient& client, QWidget* parent = nullptr);
    ~CtrlPaintWindow() override;

    // Slots of the client's table whose windows are selected.
    const std::set<int>& selection() const { return selected_; }
    // The commands of the background menu on the selection.
    void selectAll();
    void unselectAll();
    void invertSelection();
    void showSelected(bool visible);

    void childCreated(marluneChild&) override { treeChanged(); }
    void treeChanged() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    marluneMDIClient& client_;
    std::set<int> selected_;
};
