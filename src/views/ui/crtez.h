#pragma once
#include <QImage>
#include <QWidget>
#include <cstdint>

#include "tree/ChildEvent.h"

class marlune3DChild;

// The drawing pane of a 3D window. The picture lives on a back buffer that is kept between paints;
// the ruler is inverted on it, and a Time FFT or log that moved by one row scrolls it and draws one
// new column. Keys go to the window, which carries out the view changes and announces them.
class crtez : public QWidget, public ChildListener {
    Q_OBJECT
public:
    // The back buffer is at least this large and is never made smaller.
    static constexpr int BufferWidth = 1300;
    static constexpr int BufferHeight = 1024;

    explicit crtez(marlune3DChild& child, QWidget* parent = nullptr);
    ~crtez() override;

    // Null once the window was destroyed.
    marlune3DChild* child() const { return child_; }
    void detach();

    // The pane's picture at any size, drawn as on the screen (tests, pictures).
    QImage render(QSize size) const;
    const QImage& backBuffer() const { return backBuffer_; }
    QSize sizeHint() const override;

    void childChanged(marluneChild& child, const ChildEvent& event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab toggles the ruler; it never moves the focus out of the pane.
    bool focusNextPrevChild(bool) override { return false; }
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Brings the back buffer up to date: scrolls it after a one-row move, or draws it anew.
    void refreshPicture();
    void activateSubWindow();

    marlune3DChild* child_;
    QImage backBuffer_;
    bool pictureValid_ = false;
    // Rows the matrix moved since the last paint; only a single row's move can scroll the picture.
    int32_t pendingShift_ = 0;
    bool pendingRedraw_ = true;
};
