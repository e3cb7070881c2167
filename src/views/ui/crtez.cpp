#include "views/ui/crtez.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "base/UiServices.h"
#include "tree/CommandIds.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ui/PaneContextMenu.h"
#include "views/ui/Picture3D.h"

crtez::crtez(marlune3DChild& child, QWidget* parent) : QWidget(parent), child_(&child)
{
    // Every pixel comes from the back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    child.subscribe(*this);
}

crtez::~crtez()
{
    if (child_)
        child_->unsubscribe(*this);
}

void crtez::detach()
{
    if (child_)
        child_->unsubscribe(*this);
    child_ = nullptr;
    pendingRedraw_ = true;
    update();
}

void crtez::childChanged(marluneChild&, const ChildEvent& event)
{
    switch (event.change) {
    case ChildChange::Repaint:
    case ChildChange::Scrolled: {
        // A move by one row is taken here, once, so that a later repaint draws everything.
        FFTSignal& data = child_->data();
        if (data.shiftDirection != 0)
            pendingShift_ += data.shiftDirection;
        else
            pendingRedraw_ = true;
        data.shiftDirection = 0;
        update();
        break;
    }
    case ChildChange::CopyPicture:
        refreshPicture();
        QApplication::clipboard()->setImage(backBuffer_.copy(rect()));
        break;
    case ChildChange::Closing:
        detach();
        break;
    default:
        break;
    }
}

QSize crtez::sizeHint() const
{
    return {480, 360};
}

QImage crtez::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (!child_) {
        image.fill(Qt::white);
        return image;
    }
    const Picture3D picture(child_->data(), child_->display, child_->client().palette(std::size_t(child_->display.palette)),
                            child_->invalid(), size);
    picture.draw(image);
    return image;
}

void crtez::refreshPicture()
{
    const QSize needed(std::max(width(), BufferWidth), std::max(height(), BufferHeight));
    if (backBuffer_.width() < needed.width() || backBuffer_.height() < needed.height()) {
        backBuffer_ = QImage(needed, QImage::Format_RGB32);
        pendingRedraw_ = true;
    }
    if (!child_) {
        backBuffer_.fill(Qt::white);
        return;
    }
    const Picture3D picture(child_->data(), child_->display, child_->client().palette(std::size_t(child_->display.palette)),
                            child_->invalid(), size());
    const bool scrolled = !pendingRedraw_ && pictureValid_ && std::abs(pendingShift_) == 1 &&
                          picture.scroll(backBuffer_, pendingShift_);
    if (!scrolled && (pendingRedraw_ || pendingShift_ != 0 || !pictureValid_))
        picture.draw(backBuffer_);
    pictureValid_ = true;
    pendingRedraw_ = false;
    pendingShift_ = 0;
}

void crtez::paintEvent(QPaintEvent* event)
{
    refreshPicture();
    // A cross while the arrows move the ruler, the arrow while they turn or move the view.
    setCursor(child_ && child_->data().rulerOn ? Qt::CrossCursor : Qt::ArrowCursor);
    QPainter painter(this);
    painter.drawImage(event->rect(), backBuffer_, event->rect());
}

void crtez::resizeEvent(QResizeEvent* event)
{
    pendingRedraw_ = true;
    QWidget::resizeEvent(event);
}

void crtez::focusInEvent(QFocusEvent*)
{
    if (!child_)
        return;
    child_->client().ui().show3DStatusBar(true);
    child_->refreshStatusBar();
}

void crtez::keyPressEvent(QKeyEvent* event)
{
    if (!child_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        child_->tabKey();
        break;
    case Qt::Key_F2:
        child_->f2Key();
        break;
    case Qt::Key_Delete:
        child_->deleteKey();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        child_->enterKey();
        break;
    case Qt::Key_Left:
        child_->arrowKey(marlune3DChild::Arrow::Left, shift);
        break;
    case Qt::Key_Right:
        child_->arrowKey(marlune3DChild::Arrow::Right, shift);
        break;
    case Qt::Key_Up:
        child_->arrowKey(marlune3DChild::Arrow::Up, shift);
        break;
    case Qt::Key_Down:
        child_->arrowKey(marlune3DChild::Arrow::Down, shift);
        break;
    case Qt::Key_Shift:
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void crtez::keyReleaseEvent(QKeyEvent* event)
{
    if (child_ && event->key() == Qt::Key_Shift && !event->isAutoRepeat())
        child_->shiftReleased();
    QWidget::keyReleaseEvent(event);
}

void crtez::mousePressEvent(QMouseEvent* event)
{
    activateSubWindow();
    QWidget::mousePressEvent(event);
}

void crtez::activateSubWindow()
{
    auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (subWindow && subWindow->mdiArea())
        subWindow->mdiArea()->setActiveSubWindow(subWindow);
    setFocus(Qt::MouseFocusReason);
}

void crtez::contextMenuEvent(QContextMenuEvent* event)
{
    if (!child_)
        return;
    activateSubWindow();
    QMenu menu(this);
    using PaneContextMenu::addCommand;
    addCommand(menu, *child_, "Spectrogram view", Cmd::SpectrogramView);
    addCommand(menu, *child_, "Ruler", Cmd::Ruler3D);
    addCommand(menu, *child_, "Mesh", Cmd::MeshView);
    menu.addSeparator();
    addCommand(menu, *child_, "Hot", Cmd::PaletteHot);
    addCommand(menu, *child_, "Blue", Cmd::PaletteBlue);
    addCommand(menu, *child_, "Gray", Cmd::PaletteGray);
    addCommand(menu, *child_, "Copper", Cmd::PaletteCopper);
    addCommand(menu, *child_, "HSV", Cmd::PaletteHSV);
    addCommand(menu, *child_, "White", Cmd::PaletteWhite);
    menu.addSeparator();
    addCommand(menu, *child_, "Invert colors", Cmd::InvertColors);
    menu.addSeparator();
    addCommand(menu, *child_, "Sum 3D over frequency range...", Cmd::InstrumentSum3D);
    menu.addSeparator();
    addCommand(menu, *child_, "Properties", Cmd::Properties);
    menu.addSeparator();
    PaneContextMenu::addSavePicture(menu, *child_, [this] { return render(size()); });
    menu.exec(event->globalPos());
}
