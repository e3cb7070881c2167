#include "views/ui/TSigWindow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/AxisLayout.h"
#include "views/PixelMap.h"
#include "views/ui/PaneContextMenu.h"
#include "views/ui/SignalPicture.h"

namespace {
// Harmonics 2 ... 11 of the frequency under the cursor.
constexpr int LastHarmonic = 11;
}  // namespace

TSigWindow::TSigWindow(marluneMDIChild& child, QWidget* parent) : ChildPane(child, parent), shown_(child)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    harmonic_ = child.harmonicRuler();
}

void TSigWindow::windowChanged(const ChildEvent& event)
{
    switch (event.change) {
    case ChildChange::Repaint:
        repaint();
        break;
    case ChildChange::Scrolled:
        pendingShift_ += event.shift;
        repaint();
        break;
    case ChildChange::Samples:
        eraseSelection();
        publishCursor();
        break;
    case ChildChange::Marks:
        if (selectionExists_ && !child()->selection())
            eraseSelection();
        followHarmonicRuler();
        break;
    default:
        break;
    }
}

QSize TSigWindow::sizeHint() const
{
    return {480, 240};
}

QImage TSigWindow::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (child())
        SignalPicture(*child(), size).draw(image);
    else
        image.fill(Qt::white);
    return image;
}

std::optional<PixelMap> TSigWindow::pixelMap() const
{
    if (!child() || !child()->showsSamples() || width() < 2)
        return std::nullopt;
    const Signal* signal = child()->signal();
    return PixelMap(width(), height(), child()->drawAxes(), child()->logXAxis(), signal->firstVisible(),
                    signal->visibleCount(), signal->yMin(), signal->yMax());
}

TSigWindow::PictureFrame TSigWindow::pictureFrame() const
{
    return {size(), child() && child()->drawAxes(), child() && child()->logXAxis()};
}

void TSigWindow::refreshBackBuffer()
{
    if (!pictureValid() || backBuffer_.size() != size())
        refreshPicture();
}

void TSigWindow::resizeEvent(QResizeEvent*)
{
    skipNextMove_ = true;
    repaint();
}

void TSigWindow::refreshPicture()
{
    // Cursor and band are taken off first; the band goes back on the same pixels of the new picture,
    // as long as the picture keeps its geometry and shows samples.
    const bool sameFrame = pictureFrame() == frame_ && backBuffer_.size() == size();
    if (sameFrame) {
        eraseCursor();
        if (selectionExists_)
            invertBand(anchorX_, currentX_);
    }
    cursorRects_.clear();
    if (!sameFrame || !child() || !child()->showsSamples())
        forgetSelection();
    frame_ = pictureFrame();
    if (!sameFrame || !scrollPicture()) {
        if (backBuffer_.size() != size())
            backBuffer_ = QImage(size(), QImage::Format_RGB32);
        if (child())
            SignalPicture(*child(), size()).draw(backBuffer_);
        else
            backBuffer_.fill(Qt::white);
    }
    pendingShift_ = 0;
    setPictureValid();
    skipNextMove_ = true;
    if (selectionExists_)
        invertBand(anchorX_, currentX_);
}

bool TSigWindow::scrollPicture()
{
    const int32_t shift = child() ? pendingShift_ : 0;
    if (shift == 0 || child()->logXAxis())
        return false;
    const SignalPicture picture(*child(), size());
    if (!picture.drawable())
        return false;
    const auto map = pixelMap();
    const bool axes = child()->drawAxes();
    const int left = map->plotLeft();
    // With axes the plot's right edge lies past the pane.
    const int right = std::min(map->plotRight(), width());
    // With axes only the plot moves; the labels below it are drawn again.
    const int bottom = axes ? map->plotBottom() : height();
    const double pixelsPerSample = picture.pixelsPerSample() * picture.space().scaleX();
    const int moved = int(std::abs(shift) * pixelsPerSample);
    if (moved <= 0 || moved >= right - left)
        return false;
    const uint32_t count = child()->signal()->visibleCount();
    // Samples enough to draw `columns` device columns from either end, the one joining them to the rest included.
    const auto samplesIn = [&](int columns) {
        return std::min<uint32_t>(uint32_t(columns / pixelsPerSample) + 2, count);
    };
    // The Y axis and its tick marks do not move with the samples.
    const int axisColumns = axes ? picture.space().toDeviceX(AxisLayout::YTickLength) + 1 - left : 0;
    // Older data moves away from the edge where new samples enter; only the strip they uncover is drawn.
    const QRect kept(shift < 0 ? left + moved : left, 0, right - left - moved, bottom);
    const QPoint to(shift < 0 ? left : left + moved, 0);
    const QImage part = backBuffer_.copy(kept);
    QPainter(&backBuffer_).drawImage(to, part);
    if (shift < 0) {
        picture.drawStrip(backBuffer_, QRect(right - moved, 0, moved + 1, bottom), count - samplesIn(moved), count);
        if (axes)
            picture.drawStrip(backBuffer_, QRect(left, 0, axisColumns, bottom), 0, samplesIn(axisColumns));
    } else {
        picture.drawStrip(backBuffer_, QRect(left, 0, moved + axisColumns, bottom), 0, samplesIn(moved + axisColumns));
    }
    if (axes)
        picture.drawStrip(backBuffer_, QRect(0, bottom, width(), height() - bottom), 0, count);
    return true;
}

void TSigWindow::invertBand(int from, int to)
{
    const auto map = pixelMap();
    if (map && from != to)
        invert(QRect(std::min(from, to), 0, std::abs(to - from), map->plotBottom()));
}

void TSigWindow::drawCursor()
{
    const auto map = pixelMap();
    if (!map || cursorX_ < 0)
        return;
    cursorRects_.emplace_back(cursorX_, 0, 1, map->plotBottom());
    const Signal& signal = *child()->signal();
    const int64_t index = std::clamp<int64_t>(map->xToSample(cursorX_), signal.firstVisible(), signal.lastVisible());
    // A 5 x 4 box around the curve point of the sample under the cursor, while samples are wider than pixels.
    if (signal.lastVisible() - signal.firstVisible() < uint32_t(width()) && !SignalKind::isOverlay(child()->kind()))
        cursorRects_.emplace_back(map->sampleToX(index) - 2, map->valueToY(signal.samples()[index]) - 2, 5, 4);
    if (harmonic_) {
        const long double frequency = signal.xOfIndex(index);
        for (int i = 2; i <= LastHarmonic && i * frequency < signal.lastVisibleX(); ++i)
            cursorRects_.emplace_back(map->sampleToX(signal.indexOfX(i * frequency)), 0, 1, map->plotBottom());
    }
    for (const QRect& rect : cursorRects_)
        invert(rect);
}

void TSigWindow::eraseCursor()
{
    for (const QRect& rect : cursorRects_)
        invert(rect);
    cursorRects_.clear();
}

void TSigWindow::moveTo(int x, bool buttonDown)
{
    const auto map = pixelMap();
    if (!map || !pictureValid() || x <= map->plotLeft())
        return;
    if (dragging_ && buttonDown) {
        invertBand(anchorX_, currentX_);
        currentX_ = x;
        invertBand(anchorX_, currentX_);
        selectionExists_ = anchorX_ != currentX_;
        publishSelection();
    }
    if (skipNextMove_) {
        skipNextMove_ = false;
        cursorX_ = x;
        return;
    }
    eraseCursor();
    cursorX_ = x;
    publishCursor();
    drawCursor();
    // The read-outs belong to the active window; an inactive one under the mouse leaves them alone.
    if (child()->client().activeChild() != child())
        return;
    const Signal& signal = *child()->signal();
    child()->showCursorReadout(
        uint32_t(std::clamp<int64_t>(map->xToSample(x), signal.firstVisible(), signal.lastVisible())));
}

void TSigWindow::eraseSelection()
{
    if (selectionExists_)
        invertBand(anchorX_, currentX_);
    forgetSelection();
}

void TSigWindow::forgetSelection()
{
    selectionExists_ = false;
    dragging_ = false;
    anchorX_ = currentX_ = -1;
    publishSelection();
}

void TSigWindow::publishSelection()
{
    if (!child())
        return;
    const auto map = pixelMap();
    if (!selectionExists_ || !map)
        child()->setSelection(std::nullopt);
    else
        child()->setSelection(SampleSelection{map->zoomRange(anchorX_, currentX_), map->editRange(anchorX_, currentX_)});
}

void TSigWindow::publishCursor()
{
    if (!child())
        return;
    const auto map = pixelMap();
    child()->setPasteOffset(map && cursorX_ >= 0 ? map->pasteOffset(cursorX_) : std::nullopt);
}

void TSigWindow::followHarmonicRuler()
{
    if (!child() || child()->harmonicRuler() == harmonic_)
        return;
    const bool shown = !cursorRects_.empty();
    eraseCursor();
    harmonic_ = child()->harmonicRuler();
    if (shown)
        drawCursor();
}

void TSigWindow::mousePressEvent(QMouseEvent* event)
{
    activateSubWindow();
    const auto map = pixelMap();
    if (event->button() == Qt::MiddleButton && map) {
        pan_ = Pan{int(event->position().x()), child()->signal()->firstVisible()};
        return;
    }
    if (event->button() != Qt::LeftButton || !map || int(event->position().x()) <= map->plotLeft())
        return;
    eraseSelection();
    anchorX_ = currentX_ = int(event->position().x());
    dragging_ = true;
}

void TSigWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (pan_ && (event->buttons() & Qt::MiddleButton))
        pan(int(event->position().x()));
    moveTo(int(event->position().x()), event->buttons() & Qt::LeftButton);
}

void TSigWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    if (event->button() == Qt::MiddleButton)
        pan_.reset();
}

void TSigWindow::pan(int x)
{
    const auto map = pixelMap();
    if (!map || map->plotRight() <= map->plotLeft())
        return;
    const Signal& signal = *child()->signal();
    const long double perPixel = (long double)signal.visibleCount() / (map->plotRight() - map->plotLeft());
    const int64_t first = int64_t(pan_->first) - std::llround((x - pan_->x) * perPixel);
    child()->scrollTo(uint32_t(std::max<int64_t>(first, 0)));
}

void TSigWindow::wheelEvent(QWheelEvent* event)
{
    const auto map = pixelMap();
    if (!map) {
        event->ignore();
        return;
    }
    // One notch is 120; up, and a tilt to the left, go towards the start.
    wheelRest_ += event->angleDelta();
    const int turn = wheelRest_.y() != 0 ? wheelRest_.y() : wheelRest_.x();
    const int notches = turn / 120;
    if (notches == 0)
        return;
    wheelRest_ = {};
    const bool zoom = event->modifiers() & Qt::ControlModifier;
    const int64_t under = map->xToSample(int(event->position().x()));
    for (int n = 0; n < std::abs(notches); ++n) {
        if (zoom && notches > 0)
            child()->zoomInAbout(uint32_t(std::clamp<int64_t>(under, child()->signal()->firstVisible(),
                                                              child()->signal()->lastVisible())));
        else if (zoom)
            child()->zoomOut();
        else if (notches > 0)
            child()->stepLeft();
        else
            child()->stepRight();
    }
}

void TSigWindow::eraseMarks()
{
    eraseSelection();
    eraseCursor();
}

void TSigWindow::keyPressEvent(QKeyEvent* event)
{
    if (!child()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto map = pixelMap();
    switch (event->key()) {
    case Qt::Key_End:
        if (map)
            moveTo(map->plotRight(), true);
        break;
    case Qt::Key_Home:
        if (map)
            moveTo(map->plotLeft() + 1, false);
        break;
    case Qt::Key_Left:
        child()->stepLeft();
        break;
    case Qt::Key_Right:
        child()->stepRight();
        break;
    case Qt::Key_Up:
        child()->zoomOut();
        break;
    case Qt::Key_Down:
        child()->zoomIn();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TSigWindow::fillContextMenu(QMenu& menu, QPoint)
{
    PaneContextMenu::fill(menu, *child());
    menu.addSeparator();
    addSavePicture(menu);
}
