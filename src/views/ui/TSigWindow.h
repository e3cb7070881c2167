#pragma once
// The drawing pane of a signal window: the curve, and the cursor, harmonic ruler and selection band inverted over it.
#include <optional>
#include <vector>

#include "views/ui/ChildPane.h"

class PixelMap;
class marluneMDIChild;

// Moving the marks never redraws the curve. The band's samples and the paste position are kept on
// the window, where the commands find them.
class TSigWindow : public ChildPane {
    Q_OBJECT
public:
    explicit TSigWindow(marluneMDIChild& child, QWidget* parent = nullptr);

    // Null once the window was destroyed.
    marluneMDIChild* child() const { return window() ? &shown_ : nullptr; }

    QImage render(QSize size) const override;
    QSize sizeHint() const override;

    // Draws the picture anew at the next paint.
    void repaint() { redrawPicture(); }

protected:
    void windowChanged(const ChildEvent& event) override;
    void refreshBackBuffer() override;
    void fillContextMenu(QMenu& menu, QPoint at) override;
    void eraseMarks() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel steps through the signal as the arrow keys do; with Ctrl it zooms about the mouse.
    void wheelEvent(QWheelEvent* event) override;

private:
    // A drag with the middle button pans: the sample under the mouse stays under it.
    struct Pan {
        int x;
        uint32_t first;
    };
    void pan(int x);
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

    marluneMDIChild& shown_;
    PictureFrame frame_;

    int anchorX_ = -1;
    int currentX_ = -1;
    bool dragging_ = false;
    std::optional<Pan> pan_;
    // Wheel turns below one notch, kept until they make one (high-resolution wheels and touch pads).
    QPoint wheelRest_;
    bool selectionExists_ = false;

    int cursorX_ = -1;
    // What the cursor inverted, so it can be taken off whatever the signal did since.
    std::vector<QRect> cursorRects_;
    bool skipNextMove_ = true;
    bool harmonic_ = false;
    // Samples by which live data moved since the last paint; the picture moves by them.
    int32_t pendingShift_ = 0;
};
