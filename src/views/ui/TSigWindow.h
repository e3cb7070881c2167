#pragma once
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "tree/ChildEvent.h"

class PixelMap;
class marluneMDIChild;

// The drawing pane of a signal window. The picture lives on a back buffer; the cursor, the harmonic
// ruler and the selection band are inverted on it (XOR), so moving them never redraws the curve.
// The band's samples and the paste position are kept on the window, where the commands find them.
class TSigWindow : public QWidget, public ChildListener {
    Q_OBJECT
public:
    explicit TSigWindow(marluneMDIChild& child, QWidget* parent = nullptr);
    ~TSigWindow() override;

    // Null once the window was destroyed.
    marluneMDIChild* child() const { return child_; }
    void detach();

    // The pane's picture at any size, drawn as on the screen (pictures, exports, tests).
    QImage render(QSize size) const;
    // What the screen shows now: the picture with cursor and selection.
    const QImage& backBuffer() const { return backBuffer_; }
    QSize sizeHint() const override;

    // Draws the picture anew at the next paint.
    void repaint();
    void childChanged(marluneChild& child, const ChildEvent& event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What the band's pixels were measured against: in a picture of another geometry they mark other samples.
    struct PictureFrame {
        QSize size;
        bool axes = false;
        bool logX = false;
        bool operator==(const PictureFrame&) const = default;
    };

    // None while the pane shows no samples: nothing can then be pointed at or marked.
    std::optional<PixelMap> pixelMap() const;
    PictureFrame pictureFrame() const;
    // Brings the back buffer up to date: scrolls it for live data or draws it anew.
    void refreshPicture();
    bool scrollPicture();
    void moveTo(int x, bool buttonDown);
    void invert(const QRect& rect);
    void invertBand(int from, int to);
    void drawCursor();
    void eraseCursor();
    void eraseSelection();
    void forgetSelection();
    // Tells the window what the band and the cursor mark now.
    void publishSelection();
    void publishCursor();
    // Follows the window's harmonic ruler switch.
    void followHarmonicRuler();
    // A right click, like a left one, works in the window it is on.
    void activateSubWindow();

    marluneMDIChild* child_;
    QImage backBuffer_;
    bool pictureValid_ = false;
    PictureFrame frame_;

    int anchorX_ = -1;
    int currentX_ = -1;
    bool dragging_ = false;
    bool selectionExists_ = false;

    int cursorX_ = -1;
    // What the cursor inverted, so it can be taken off whatever the signal did since.
    std::vector<QRect> cursorRects_;
    bool skipNextMove_ = true;
    bool harmonic_ = false;
    // Samples by which live data moved since the last paint; the picture moves by them.
    int32_t pendingShift_ = 0;
};
