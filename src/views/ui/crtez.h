#pragma once
// The 3D pane: the picture of a 3D window, with its ruler, kept between paints and scrolled by one row where it can.
#include <cstdint>
#include <optional>
#include <utility>

#include "views/ui/ChildPane.h"

class marlune3DChild;

// The back buffer is kept between paints; the ruler is inverted on it, and a Time FFT or log that moved
// by one row scrolls it and draws one new column. Keys go to the window, which carries out the view
// changes and announces them.
class crtez : public ChildPane {
    Q_OBJECT
public:
    // The back buffer is at least this large and is never made smaller.
    static constexpr int BufferWidth = 1300;
    static constexpr int BufferHeight = 1024;

    explicit crtez(marlune3DChild& child, QWidget* parent = nullptr);

    // Null once the window was destroyed.
    marlune3DChild* child() const { return window() ? &shown_ : nullptr; }

    QImage render(QSize size) const override;
    QSize sizeHint() const override;

protected:
    void windowChanged(const ChildEvent& event) override;
    // Scrolls the back buffer after a one-row move, or draws it anew.
    void refreshBackBuffer() override;
    void fillContextMenu(QMenu& menu, QPoint at) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab toggles the ruler; it never moves the focus out of the pane.
    bool focusNextPrevChild(bool) override { return false; }
    void keyReleaseEvent(QKeyEvent* event) override;
    // In the spectrogram view the status bar reads the cell under the mouse and a click puts the ruler
    // there; the mesh view has no one cell under a pixel.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The level's row and bin under a pixel of the spectrogram view.
    std::optional<std::pair<int64_t, int64_t>> cellAt(QPoint at) const;

    marlune3DChild& shown_;
    // Rows the matrix moved since the last paint; only a single row's move can scroll the picture.
    int32_t pendingShift_ = 0;
};
