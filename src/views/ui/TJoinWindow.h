#pragma once
#include <QImage>
#include <QWidget>

#include "tree/ChildEvent.h"

class QMenu;
class marluneJoinChild;
class marluneMDIChild;

// The drawing pane of an overlay window: every parent's signal into one plot with the overlay's Y range
// and colours, or one signal per stacked band. It draws with the signal pane's picture, keeps a cursor
// column (inverted on the back buffer) with the read-outs of the signal under it, and passes the arrow
// keys to the main parent, whose update redraws the overlay.
class TJoinWindow : public QWidget, public ChildListener {
    Q_OBJECT
public:
    // The overlay's tick labels are taller than a signal pane's.
    static constexpr double TickLabelHeight = 40;

    explicit TJoinWindow(marluneJoinChild& child, QWidget* parent = nullptr);
    ~TJoinWindow() override;

    marluneJoinChild* child() const { return child_; }
    QImage render(QSize size) const;
    const QImage& backBuffer() const { return backBuffer_; }
    QSize sizeHint() const override { return {480, 240}; }
    // The signal drawn in the band that holds device row y (stacked form); null outside every band.
    marluneMDIChild* signalAtRow(int y) const;
    // The right button's menu for a click at row y.
    void fillContextMenu(QMenu& menu, int y);

    void childChanged(marluneChild& child, const ChildEvent& event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void drawOverlay(QImage& image) const;
    void drawStacked(QImage& image) const;
    void fillOverlayMenu(QMenu& menu);
    void invalidate();
    void invertCursor();
    void showReadout(int x, int y) const;

    marluneJoinChild* child_;
    QImage backBuffer_;
    bool pictureValid_ = false;
    int cursorX_ = -1;
};
