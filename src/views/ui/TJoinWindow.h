#pragma once
// The overlay pane: every parent's signal in one plot with the overlay's Y range and colours, or one signal per stacked band.
#include "views/ui/ChildPane.h"

class marluneJoinChild;
class marluneMDIChild;

// It draws with the signal pane's picture, keeps a cursor column (inverted on the back buffer) with the
// read-outs of the signal under it, and passes the arrow keys to the main parent, whose update redraws
// the overlay.
class TJoinWindow : public ChildPane {
    Q_OBJECT
public:
    // The overlay's tick labels are taller than a signal pane's.
    static constexpr double TickLabelHeight = 40;

    explicit TJoinWindow(marluneJoinChild& child, QWidget* parent = nullptr);

    // Null once the window was destroyed.
    marluneJoinChild* child() const { return window() ? &shown_ : nullptr; }
    QImage render(QSize size) const override;
    QSize sizeHint() const override { return {480, 240}; }
    // The signal drawn in the band that holds device row y (stacked form); null outside every band.
    marluneMDIChild* signalAtRow(int y) const;
    // The right button's menu for a click at row y.
    void fillContextMenu(QMenu& menu, int y);

protected:
    void windowChanged(const ChildEvent& event) override;
    void refreshBackBuffer() override;
    void fillContextMenu(QMenu& menu, QPoint at) override { fillContextMenu(menu, at.y()); }
    void eraseMarks() override;
    // The saved picture leaves the cursor column out.
    QImage savedPicture() override { return render(size()); }
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawOverlay(QImage& image) const;
    void drawStacked(QImage& image) const;
    void fillOverlayMenu(QMenu& menu);
    void invertCursor();
    void showReadout(int x, int y) const;

    marluneJoinChild& shown_;
    int cursorX_ = -1;
};
