#include "views/ui/crtez.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

#include "tree/CommandIds.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ui/PaneContextMenu.h"
#include "views/ui/Picture3D.h"

crtez::crtez(marlune3DChild& child, QWidget* parent) : ChildPane(child, parent), shown_(child)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

std::optional<std::pair<int64_t, int64_t>> crtez::cellAt(QPoint at) const
{
    if (!child() || shown_.invalid() || shown_.data().elevation != 0 || shown_.data().rows() == 0)
        return std::nullopt;
    // The cells as the picture places them, room for the labels left.
    return Picture3D(shown_.data(), shown_.display, shown_.client().palette(std::size_t(shown_.display.palette)),
                     shown_.invalid(), size())
        .cellAt(at);
}

void crtez::mouseMoveEvent(QMouseEvent* event)
{
    if (const auto cell = cellAt(event->position().toPoint()))
        shown_.showReadout(int32_t(cell->first), int32_t(cell->second));
}

void crtez::mousePressEvent(QMouseEvent* event)
{
    ChildPane::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto cell = cellAt(event->position().toPoint()))
        shown_.placeRuler(int32_t(cell->first), int32_t(cell->second));
}

void crtez::windowChanged(const ChildEvent& event)
{
    if (event.change != ChildChange::Repaint && event.change != ChildChange::Scrolled)
        return;
    // A move by one row is taken here, once, so that a later repaint draws everything.
    FFTSignal& data = shown_.data();
    if (data.shiftDirection != 0) {
        pendingShift_ += data.shiftDirection;
        update();
    } else {
        redrawPicture();
    }
    data.shiftDirection = 0;
}

QSize crtez::sizeHint() const
{
    return {480, 360};
}

QImage crtez::render(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (!child()) {
        image.fill(Qt::white);
        return image;
    }
    const Picture3D picture(shown_.data(), shown_.display, shown_.client().palette(std::size_t(shown_.display.palette)),
                            shown_.invalid(), size);
    picture.draw(image);
    return image;
}

void crtez::refreshBackBuffer()
{
    bool anew = !pictureValid();
    const QSize needed(std::max(width(), BufferWidth), std::max(height(), BufferHeight));
    if (backBuffer_.width() < needed.width() || backBuffer_.height() < needed.height()) {
        backBuffer_ = QImage(needed, QImage::Format_RGB32);
        anew = true;
    }
    if (!child()) {
        backBuffer_.fill(Qt::white);
        return;
    }
    // A paint that only shows the buffer again (a menu opened over it) prepares no picture.
    if (anew || pendingShift_ != 0) {
        const Picture3D picture(shown_.data(), shown_.display,
                                shown_.client().palette(std::size_t(shown_.display.palette)), shown_.invalid(), size());
        const bool scrolled = !anew && std::abs(pendingShift_) == 1 && picture.scroll(backBuffer_, pendingShift_);
        if (!scrolled)
            picture.draw(backBuffer_);
    }
    setPictureValid();
    pendingShift_ = 0;
}

void crtez::paintEvent(QPaintEvent* event)
{
    // A cross while the arrows move the ruler, the arrow while they turn or move the view.
    setCursor(child() && shown_.data().rulerOn ? Qt::CrossCursor : Qt::ArrowCursor);
    ChildPane::paintEvent(event);
}

void crtez::resizeEvent(QResizeEvent* event)
{
    redrawPicture();
    ChildPane::resizeEvent(event);
}

void crtez::keyPressEvent(QKeyEvent* event)
{
    if (!child()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        shown_.tabKey();
        break;
    case Qt::Key_F2:
        shown_.f2Key();
        break;
    case Qt::Key_Delete:
        shown_.deleteKey();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        shown_.enterKey();
        break;
    case Qt::Key_Left:
        shown_.arrowKey(marlune3DChild::Arrow::Left, shift);
        break;
    case Qt::Key_Right:
        shown_.arrowKey(marlune3DChild::Arrow::Right, shift);
        break;
    case Qt::Key_Up:
        shown_.arrowKey(marlune3DChild::Arrow::Up, shift);
        break;
    case Qt::Key_Down:
        shown_.arrowKey(marlune3DChild::Arrow::Down, shift);
        break;
    case Qt::Key_Shift:
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void crtez::keyReleaseEvent(QKeyEvent* event)
{
    if (child() && event->key() == Qt::Key_Shift && !event->isAutoRepeat())
        shown_.shiftReleased();
    QWidget::keyReleaseEvent(event);
}

void crtez::fillContextMenu(QMenu& menu, QPoint)
{
    using PaneContextMenu::addCommand;
    addCommand(menu, shown_, "Spectrogram view", Cmd::SpectrogramView);
    addCommand(menu, shown_, "Ruler", Cmd::Ruler3D);
    addCommand(menu, shown_, "Mesh", Cmd::MeshView);
    menu.addSeparator();
    addCommand(menu, shown_, "Hot", Cmd::PaletteHot);
    addCommand(menu, shown_, "Blue", Cmd::PaletteBlue);
    addCommand(menu, shown_, "Gray", Cmd::PaletteGray);
    addCommand(menu, shown_, "Copper", Cmd::PaletteCopper);
    addCommand(menu, shown_, "HSV", Cmd::PaletteHSV);
    addCommand(menu, shown_, "White", Cmd::PaletteWhite);
    menu.addSeparator();
    addCommand(menu, shown_, "Invert colors", Cmd::InvertColors);
    menu.addSeparator();
    addCommand(menu, shown_, "Sum 3D over frequency range...", Cmd::InstrumentSum3D);
    menu.addSeparator();
    addCommand(menu, shown_, "Properties", Cmd::Properties);
    menu.addSeparator();
    addSavePicture(menu);
}
