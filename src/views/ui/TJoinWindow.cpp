#include "views/ui/TJoinWindow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "signal/Signal.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/PixelMap.h"
#include "views/ui/PaneContextMenu.h"
#include "views/ui/SignalPicture.h"

namespace {
const QColor BandLine(192, 192, 192);

// The small rectangle in the signal's colour that stands before its title in the menus.
QIcon colourMark(Rgb colour)
{
    QPixmap mark(12, 12);
    mark.fill(QColor(colour.r, colour.g, colour.b));
    QPainter painter(&mark);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 11, 11);
    return QIcon(mark);
}
}  // namespace

TJoinWindow::TJoinWindow(marluneJoinChild& child, QWidget* parent) : ChildPane(child, parent), shown_(child)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TJoinWindow::windowChanged(const ChildEvent& event)
{
    if (event.change == ChildChange::Repaint)
        redrawPicture();
}

QImage TJoinWindow::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!child())
        return image;
    if (shown_.parents().empty())
        SignalPicture::drawNotice(image, marluneJoinChild::EmptyText);
    else if (shown_.stacked())
        drawStacked(image);
    else
        drawOverlay(image);
    return image;
}

void TJoinWindow::drawOverlay(QImage& image) const
{
    const CurveDisplay& display = shown_.display();
    SignalPicture::Look look{shown_.yMax(), shown_.yMin(), {},          display.axes,
                             display.logX,   display.xLabel, display.yLabel, TickLabelHeight};
    const std::vector<marluneMDIChild*> windows = shown_.parentSignals();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        look.colour = marluneJoinChild::colourOf(i);
        const SignalPicture picture(*windows[i], image.size(), look);
        if (picture.drawable())
            picture.drawOver(image, SignalPicture::Curve);
        else
            SignalPicture::drawNotice(image, SignalPicture::InvalidText);
    }
    // The axes show the main parent's visible X range and the common Y range.
    if (const SignalPicture main(*windows.front(), image.size(), look); main.drawable())
        main.drawOver(image, SignalPicture::Axes);
}

void TJoinWindow::drawStacked(QImage& image) const
{
    const std::vector<marluneMDIChild*> windows = shown_.parentSignals();
    const int band = image.height() / int(windows.size());
    if (band < 1)
        return;
    QPainter painter(&image);
    QPen line(BandLine, 1, Qt::DotLine);
    line.setCosmetic(true);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SignalPicture::Look look = SignalPicture::Look::of(*windows[i]);
        look.axes = false;
        if (shown_.display().fixedRange) {
            look.yMax = shown_.yMax();
            look.yMin = shown_.yMin();
        }
        QImage picture(image.width(), band, QImage::Format_RGB32);
        SignalPicture(*windows[i], picture.size(), look).draw(picture);
        const int top = int(i) * band;
        painter.drawImage(0, top, picture);
        painter.setPen(line);
        painter.drawLine(0, top, image.width() - 1, top);
    }
}

marluneMDIChild* TJoinWindow::signalAtRow(int y) const
{
    if (!child() || !shown_.stacked() || shown_.parents().empty() || y < 0)
        return nullptr;
    const std::vector<marluneMDIChild*> windows = shown_.parentSignals();
    const int band = height() / int(windows.size());
    if (band < 1 || y / band >= int(windows.size()))
        return nullptr;
    return windows[std::size_t(y / band)];
}

void TJoinWindow::refreshBackBuffer()
{
    if (pictureValid() && backBuffer_.size() == size())
        return;
    backBuffer_ = render(size());
    setPictureValid();
    cursorX_ = -1;
}

void TJoinWindow::resizeEvent(QResizeEvent*)
{
    redrawPicture();
}

void TJoinWindow::invertCursor()
{
    if (cursorX_ >= 0 && !backBuffer_.isNull())
        invert(QRect(cursorX_, 0, 1, backBuffer_.height()));
}

void TJoinWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!child() || !pictureValid() || shown_.parents().empty())
        return;
    const QPoint point = event->position().toPoint();
    invertCursor();
    cursorX_ = std::clamp(point.x(), 0, width() - 1);
    invertCursor();
    showReadout(point.x(), point.y());
}

void TJoinWindow::showReadout(int x, int y) const
{
    // The read-outs belong to the active window; an overlay under the mouse alone leaves them.
    if (shown_.client().activeChild() != &shown_)
        return;
    marluneMDIChild* signalWindow = shown_.stacked() ? signalAtRow(y) : shown_.mainSignal();
    if (!signalWindow || !signalWindow->showsSamples())
        return;
    const Signal& signal = *signalWindow->signal();
    const bool axes = !shown_.stacked() && shown_.display().axes;
    const PixelMap map(width(), height(), axes, !shown_.stacked() && shown_.display().logX, signal.firstVisible(),
                       signal.visibleCount(), signal.yMin(), signal.yMax());
    signalWindow->showCursorReadout(
        uint32_t(std::clamp<int64_t>(map.xToSample(x), signal.firstVisible(), signal.lastVisible())));
}

void TJoinWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (marluneMDIChild* signal = signalAtRow(event->position().toPoint().y()))
        signal->raise();
}

void TJoinWindow::keyPressEvent(QKeyEvent* event)
{
    marluneMDIChild* main = child() ? shown_.mainSignal() : nullptr;
    if (!main || !main->showsSamples()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The overlay shows its main parent's visible part: the keys move that, and its update redraws this.
    switch (event->key()) {
    case Qt::Key_Left:
        main->stepLeft();
        break;
    case Qt::Key_Right:
        main->stepRight();
        break;
    case Qt::Key_Up:
        main->zoomOut();
        break;
    case Qt::Key_Down:
        main->zoomIn();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TJoinWindow::eraseMarks()
{
    invertCursor();
    cursorX_ = -1;
}

void TJoinWindow::fillOverlayMenu(QMenu& menu)
{
    marluneJoinChild& overlay = shown_;
    const std::vector<marluneMDIChild*> windows = overlay.parentSignals();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        QAction* item = menu.addAction(colourMark(marluneJoinChild::colourOf(i)),
                                       QString::fromStdString(windows[i]->title()));
        connect(item, &QAction::triggered, this, [window = windows[i]] { window->raise(); });
    }
    menu.addSeparator();
    QMenu* add = menu.addMenu("Add signal");
    for (marluneChild* window : overlay.client().windows())
        if (marluneMDIChild* candidate = signalWindowOf(window);
            candidate && std::find(windows.begin(), windows.end(), candidate) == windows.end()) {
            QAction* item = add->addAction(QString::fromStdString(candidate->title()));
            connect(item, &QAction::triggered, this, [&overlay, candidate] { overlay.addSignal(*candidate); });
        }
    add->menuAction()->setEnabled(!add->isEmpty());
    QMenu* remove = menu.addMenu("Remove signal");
    for (std::size_t i = 0; i < windows.size(); ++i) {
        QAction* item = remove->addAction(colourMark(marluneJoinChild::colourOf(i)),
                                          QString::fromStdString(windows[i]->title()));
        connect(item, &QAction::triggered, this, [&overlay, i] { overlay.removeSignal(i); });
    }
    menu.addSeparator();
}

void TJoinWindow::fillContextMenu(QMenu& menu, int y)
{
    if (!shown_.stacked()) {
        fillOverlayMenu(menu);
    } else if (marluneMDIChild* signal = signalAtRow(y)) {
        connect(menu.addAction(QString::fromStdString(signal->title())), &QAction::triggered, this,
                [signal] { signal->raise(); });
        menu.addSeparator();
    }
    PaneContextMenu::addCommand(menu, shown_, "Show in one coord. system", marluneJoinChild::ShowInOneSystem);
    menu.addSeparator();
    addSavePicture(menu);
}
