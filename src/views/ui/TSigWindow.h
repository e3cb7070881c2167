#pragma once
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "tree/ChildView.h"

class PixelMap;
class marluneMDIChild;

// The drawing pane of a signal window. The picture lives on a back buffer; the cursor, the harmonic
// ruler and the selection band are inverted on it (XOR), so moving them never redraws the curve.
class TSigWindow : public QWidget, public ChildView {
    Q_OBJECT
public:
    explicit TSigWindow(marluneMDIChild& child, QWidget* parent = nullptr);

    // Null once the window was destroyed.
    marluneMDIChild* child() const { return child_; }
    void detach();

    // The pane's picture at any size, drawn as on the screen (pictures, exports, tests).
    QImage render(QSize size) const;
    // What the screen shows now: the picture with cursor and selection.
    const QImage& backBuffer() const { return backBuffer_; }
    QSize sizeHint() const override;

    // ChildView: the subwindow passes these on.
    void repaint() override;
    void captionChanged() override {}
    void samplesChanged() override { eraseSelection(); }
    void closing() override { detach(); }
    std::optional<std::pair<uint32_t, uint32_t>> selectedSamples() const override;
    std::optional<std::pair<uint32_t, uint32_t>> selectedForEdit() const override;
    std::optional<uint32_t> cursorOffset() const override;
    bool harmonicRuler() const override { return harmonic_; }
    void toggleHarmonicRuler() override;
    void copyPicture() override;

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
};
