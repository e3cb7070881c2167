#include "views/ui/ChildPane.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>

#include "base/UiServices.h"
#include "base/ui/PngFile.h"
#include "base/ui/RgbImage.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"

ChildPane::ChildPane(marluneChild& window, QWidget* parent)
    : QWidget(parent), subscription_(window, *this, this)
{
    // Every pixel comes from the back buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ChildPane::~ChildPane() = default;

void ChildPane::detach()
{
    subscription_.follow(nullptr);
    redrawPicture();
}

void ChildPane::childChanged(marluneChild&, const ChildEvent& event)
{
    if (event.change == ChildChange::Closing)
        detach();
    else
        windowChanged(event);
}

void ChildPane::desktopRequested(marluneChild&, DesktopRequest request)
{
    if (request == DesktopRequest::CopyPicture)
        copyPicture();
}

void ChildPane::redrawPicture()
{
    pictureValid_ = false;
    update();
}

QImage ChildPane::shownPicture()
{
    refreshBackBuffer();
    return backBuffer_.copy(rect());
}

void ChildPane::copyPicture()
{
    if (marluneChild* shown = window())
        shown->client().ui().setClipboardPicture(rgbPictureOf(shownPicture()));
}

void ChildPane::addSavePicture(QMenu& menu)
{
    connect(menu.addAction("Save picture..."), &QAction::triggered, this, [this] {
        marluneChild* shown = window();
        if (!shown)
            return;
        UiServices& ui = shown->client().ui();
        const auto file = ui.saveFileDialog("PNG pictures(*.png)|*.png", "png");
        if (file && !writePngFile(savedPicture(), *file))
            ui.messageBox("Could not write " + *file + ".", "Marlune", MessageButtons::Ok, MessageIcon::Error);
    });
}

void ChildPane::invert(const QRect& rect)
{
    QPainter painter(&backBuffer_);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(rect, Qt::white);
    update(rect);
}

void ChildPane::activateSubWindow()
{
    auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (subWindow && subWindow->mdiArea())
        subWindow->mdiArea()->setActiveSubWindow(subWindow);
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
}

void ChildPane::paintEvent(QPaintEvent* event)
{
    refreshBackBuffer();
    QPainter(this).drawImage(event->rect(), backBuffer_, event->rect());
}

void ChildPane::mousePressEvent(QMouseEvent* event)
{
    activateSubWindow();
    QWidget::mousePressEvent(event);
}

void ChildPane::focusInEvent(QFocusEvent*)
{
    if (const marluneChild* shown = window())
        shown->showStatusBar();
}

void ChildPane::focusOutEvent(QFocusEvent* event)
{
    // An open menu takes the keyboard only while it is open; its commands still work on the marks.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason)
        eraseMarks();
}

void ChildPane::contextMenuEvent(QContextMenuEvent* event)
{
    if (!window())
        return;
    // A right click, like a left one, works in the window it is on.
    activateSubWindow();
    QMenu menu(this);
    fillContextMenu(menu, event->pos());
    menu.exec(event->globalPos());
}
