#include "views/ui/TJoinWindow.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "base/UiServices.h"
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

TJoinWindow::TJoinWindow(marluneJoinChild& child, QWidget* parent) : QWidget(parent), child_(&child)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    child.subscribe(*this);
}

TJoinWindow::~TJoinWindow()
{
    if (child_)
        child_->unsubscribe(*this);
}

void TJoinWindow::childChanged(marluneChild& child, const ChildEvent& event)
{
    switch (event.change) {
    case ChildChange::Repaint:
        invalidate();
        break;
    case ChildChange::Closing:
        child.unsubscribe(*this);
        child_ = nullptr;
        invalidate();
        break;
    default:
        break;
    }
}

QImage TJoinWindow::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!child_)
        return image;
    if (child_->parents().empty())
        SignalPicture::drawNotice(image, marluneJoinChild::EmptyText);
    else if (child_->stacked())
        drawStacked(image);
    else
        drawOverlay(image);
    return image;
}

void TJoinWindow::drawOverlay(QImage& image) const
{
    const CurveDisplay& display = child_->display();
    SignalPicture::Look look{child_->yMax(), child_->yMin(), {},          display.axes,
                             display.logX,   display.xLabel, display.yLabel, TickLabelHeight};
    const std::vector<marluneMDIChild*> windows = child_->parentSignals();
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
    const std::vector<marluneMDIChild*> windows = child_->parentSignals();
    const int band = image.height() / int(windows.size());
    if (band < 1)
        return;
    QPainter painter(&image);
    QPen line(BandLine, 1, Qt::DotLine);
    line.setCosmetic(true);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SignalPicture::Look look = SignalPicture::Look::of(*windows[i]);
        look.axes = false;
        if (child_->display().fixedRange) {
            look.yMax = child_->yMax();
            look.yMin = child_->yMin();
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
    if (!child_ || !child_->stacked() || child_->parents().empty() || y < 0)
        return nullptr;
    const std::vector<marluneMDIChild*> windows = child_->parentSignals();
    const int band = height() / int(windows.size());
    if (band < 1 || y / band >= int(windows.size()))
        return nullptr;
    return windows[std::size_t(y / band)];
}

void TJoinWindow::invalidate()
{
    pictureValid_ = false;
    update();
}

void TJoinWindow::paintEvent(QPaintEvent*)
{
    if (!pictureValid_ || backBuffer_.size() != size()) {
        backBuffer_ = render(size());
        pictureValid_ = true;
        cursorX_ = -1;
    }
    QPainter(this).drawImage(0, 0, backBuffer_);
}

void TJoinWindow::resizeEvent(QResizeEvent*)
{
    invalidate();
}

void TJoinWindow::invertCursor()
{
    if (cursorX_ < 0 || backBuffer_.isNull())
        return;
    QPainter painter(&backBuffer_);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(cursorX_, 0, 1, backBuffer_.height()), Qt::white);
    update(QRect(cursorX_, 0, 1, height()));
}

void TJoinWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!child_ || !pictureValid_ || child_->parents().empty())
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
    if (child_->client().activeChild() != child_)
        return;
    marluneMDIChild* signalWindow = child_->stacked() ? signalAtRow(y) : child_->mainSignal();
    if (!signalWindow || !signalWindow->showsSamples())
        return;
    const Signal& signal = *signalWindow->signal();
    const bool axes = !child_->stacked() && child_->display().axes;
    const PixelMap map(width(), height(), axes, !child_->stacked() && child_->display().logX, signal.firstVisible(),
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
    marluneMDIChild* main = child_ ? child_->mainSignal() : nullptr;
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

void TJoinWindow::focusInEvent(QFocusEvent*)
{
    // The status bar tells the range, step and rate of the main parent, whose part the overlay shows.
    if (marluneMDIChild* main = child_ ? child_->mainSignal() : nullptr; main && main->showsSamples()) {
        main->client().ui().show3DStatusBar(false);
        main->refreshStatusBar();
    }
}

void TJoinWindow::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::MenuBarFocusReason)
        return;
    invertCursor();
    cursorX_ = -1;
}

void TJoinWindow::fillOverlayMenu(QMenu& menu)
{
    marluneJoinChild& overlay = *child_;
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
    if (!child_->stacked()) {
        fillOverlayMenu(menu);
    } else if (marluneMDIChild* signal = signalAtRow(y)) {
        connect(menu.addAction(QString::fromStdString(signal->title())), &QAction::triggered, this,
                [signal] { signal->raise(); });
        menu.addSeparator();
    }
    PaneContextMenu::addCommand(menu, *child_, "Show in one coord. system", marluneJoinChild::ShowInOneSystem);
    menu.addSeparator();
    PaneContextMenu::addSavePicture(menu, *child_, [this] { return render(size()); });
}

void TJoinWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (!child_)
        return;
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget()); subWindow && subWindow->mdiArea())
        subWindow->mdiArea()->setActiveSubWindow(subWindow);
    QMenu menu(this);
    fillContextMenu(menu, event->pos().y());
    menu.exec(event->globalPos());
}
