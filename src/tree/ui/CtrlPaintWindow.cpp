#include "tree/ui/CtrlPaintWindow.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "tree/ControlDiagram.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"

namespace {
constexpr int ScrollUnitX = 8;
constexpr int ScrollUnitY = 16;
constexpr int RangeX = 200;
constexpr int RangeY = 300;
}  // namespace

CtrlPaintWindow::CtrlPaintWindow(marluneMDIClient& client, QWidget* parent) : QWidget(parent), client_(client)
{
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    // The scroller's range: 200 x 300 units of 8 x 16 pixels.
    setMinimumSize(RangeX * ScrollUnitX, RangeY * ScrollUnitY);
    client_.subscribe(*this);
}

CtrlPaintWindow::~CtrlPaintWindow()
{
    client_.unsubscribe(*this);
}

void CtrlPaintWindow::treeChanged()
{
    // A closed window's slot may be taken by a new one, which starts unselected.
    std::erase_if(selected_, [this](int slot) { return client_.window(slot) == nullptr; });
    update();
}

void CtrlPaintWindow::paintEvent(QPaintEvent*)
{
    const ControlDiagram diagram(client_);
    QPainter painter(this);
    for (const ControlDiagram::Line& line : diagram.lines()) {
        QPen pen(QColor(line.colour.r, line.colour.g, line.colour.b));
        pen.setStyle(line.dotted ? Qt::DotLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
    QFont font("Arial");
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const ControlDiagram::Icon& icon : diagram.icons()) {
        if (icon.resource != 0)
            painter.drawPixmap(icon.x, icon.y, kindIcon(icon.resource).pixmap(ControlDiagram::IconSize));
        painter.drawText(QPoint(icon.x - 25, icon.y + 36 + painter.fontMetrics().ascent()),
                         QString::fromStdString(icon.label));
        if (selected_.contains(icon.window->index())) {
            QPen focus(Qt::black);
            focus.setStyle(Qt::DotLine);
            painter.setPen(focus);
            painter.drawRect(icon.x - 5, icon.y - 5, 42, 42);
            painter.setPen(Qt::black);
        }
    }
}

void CtrlPaintWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const ControlDiagram diagram(client_);
    const QPoint point = event->position().toPoint();
    if (const ControlDiagram::Icon* icon = diagram.hit(point.x(), point.y())) {
        const int slot = icon->window->index();
        if (!selected_.erase(slot))
            selected_.insert(slot);
        update();
    }
}

void CtrlPaintWindow::selectAll()
{
    for (const marluneChild* window : client_.windows())
        selected_.insert(window->index());
    update();
}

void CtrlPaintWindow::unselectAll()
{
    selected_.clear();
    update();
}

void CtrlPaintWindow::invertSelection()
{
    for (const marluneChild* window : client_.windows())
        if (!selected_.erase(window->index()))
            selected_.insert(window->index());
    update();
}

void CtrlPaintWindow::showSelected(bool visible)
{
    for (const int slot : selected_)
        if (marluneChild* window = client_.window(slot))
            window->setVisible(visible);
}

void CtrlPaintWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    connect(menu.addAction("Select all"), &QAction::triggered, this, &CtrlPaintWindow::selectAll);
    connect(menu.addAction("Unselect all"), &QAction::triggered, this, &CtrlPaintWindow::unselectAll);
    connect(menu.addAction("Invert selection"), &QAction::triggered, this, &CtrlPaintWindow::invertSelection);
    menu.addSeparator();
    connect(menu.addAction("Hide selected"), &QAction::triggered, this, [this] { showSelected(false); });
    connect(menu.addAction("Show selected"), &QAction::triggered, this, [this] { showSelected(true); });
    menu.exec(event->globalPos());
    update();
}
