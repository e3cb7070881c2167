#include "tree/ui/marluneControlWindow.h"

#include <QMdiArea>
#include <QScrollArea>
#include <algorithm>

#include "tree/marluneMDIClient.h"
#include "tree/ui/CtrlPaintWindow.h"
#include "tree/ui/KindIcons.h"

marluneControlWindow::marluneControlWindow(marluneMDIClient& client)
    : client_(client), drawing_(new CtrlPaintWindow(client))
{
    auto* scroller = new QScrollArea;
    scroller->setWidget(drawing_);
    setWidget(scroller);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Control Window");
    setWindowIcon(kindIcon(Icon));
}

marluneControlWindow::~marluneControlWindow()
{
    client_.noteControlWindow(std::nullopt);
}

void marluneControlWindow::place(const WindowPlacement& p)
{
    const QSize area = mdiArea() ? mdiArea()->viewport()->size() : QSize();
    if (area.isEmpty() || p.right <= p.left || p.bottom <= p.top)
        return;
    const int left = int(WindowPlacement::toPixels(p.left, area.width()));
    const int top = int(WindowPlacement::toPixels(p.top, area.height()));
    setGeometry(left, top, std::max(int(WindowPlacement::toPixels(p.right, area.width())) - left, 1),
                std::max(int(WindowPlacement::toPixels(p.bottom, area.height())) - top, 1));
    client_.noteControlWindow(p);
}

void marluneControlWindow::report()
{
    const QSize area = mdiArea() ? mdiArea()->viewport()->size() : QSize();
    if (area.isEmpty())
        return;
    const QRect frame = geometry();
    client_.noteControlWindow(WindowPlacement{WindowPlacement::toStored(frame.left(), area.width()),
                                              WindowPlacement::toStored(frame.top(), area.height()),
                                              WindowPlacement::toStored(frame.left() + frame.width(), area.width()),
                                              WindowPlacement::toStored(frame.top() + frame.height(), area.height())});
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
