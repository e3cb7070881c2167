#include "tree/ui/marluneControlWindow.h"

#include <QMdiArea>
#include <QScrollArea>
#include <QScrollBar>

#include "tree/marluneMDIClient.h"
#include "tree/ui/CtrlPaintWindow.h"
#include "tree/ui/KindIcons.h"
#include "tree/ui/PlacementGeometry.h"

marluneControlWindow::marluneControlWindow(marluneMDIClient& client)
    : client_(client), drawing_(new CtrlPaintWindow(client))
{
    auto* scroller = new QScrollArea;
    scroller->setWidget(drawing_);
    // The arrows of the scroll bars move by the diagram's units of 8 x 16 pixels.
    scroller->horizontalScrollBar()->setSingleStep(CtrlPaintWindow::ScrollUnitX);
    scroller->verticalScrollBar()->setSingleStep(CtrlPaintWindow::ScrollUnitY);
    setWidget(scroller);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Control Window");
    setWindowIcon(kindIcon(Icon));
    connect(drawing_, &CtrlPaintWindow::menuClosed, this, [this] {
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    });
}

marluneControlWindow::~marluneControlWindow()
{
    emit closing();
    client_.noteControlWindow(std::nullopt);
}

void marluneControlWindow::place(const WindowPlacement& p)
{
    const QSize area = mdiArea() ? mdiArea()->viewport()->size() : QSize();
    if (area.isEmpty() || p.right <= p.left || p.bottom <= p.top)
        return;
    setGeometry(geometryOf(p, area));
    client_.noteControlWindow(p);
}

void marluneControlWindow::report()
{
    const QSize area = mdiArea() ? mdiArea()->viewport()->size() : QSize();
    if (area.isEmpty())
        return;
    client_.noteControlWindow(placementOf(geometry(), area));
}

void marluneControlWindow::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    report();
}

void marluneControlWindow::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    report();
}
