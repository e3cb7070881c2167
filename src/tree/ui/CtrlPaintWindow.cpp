#include "tree/ui/CtrlPaintWindow.h"

#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/ControlDiagram.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"
#include "views/ui/PaneContextMenu.h"

namespace {
constexpr int RangeX = 200;
constexpr int RangeY = 300;
// The label starts 25 pixels left of its icon; 16 characters and "..." fit in this width.
constexpr int LabelLeft = 25;
constexpr int LabelWidth = 200;
}  // namespace

CtrlPaintWindow::CtrlPaintWindow(marluneMDIClient& client, QWidget* parent)
    : QWidget(parent), client_(client), selection_(client)
{
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setFocusPolicy(Qt::StrongFocus);
    fitDiagram();
}

void CtrlPaintWindow::fitDiagram()
{
    // The scroller's range is 200 x 300 units of 8 x 16 pixels, or as much as a larger tree needs.
    const ControlDiagram diagram(client_);
    const QSize needed(std::max(RangeX * ScrollUnitX, diagram.width()), std::max(RangeY * ScrollUnitY, diagram.height()));
    if (needed != minimumSize()) {
        setMinimumSize(needed);
        resize(needed);
    }
}

void CtrlPaintWindow::treeChanged()
{
    selection_.dropClosed();
    fitDiagram();
    update();
}

void CtrlPaintWindow::paintEvent(QPaintEvent* event)
{
    // Only what the scroller shows is drawn: a large tree stays quick to repaint.
    const QRect exposed = event->rect();
    const ControlDiagram diagram(client_);
    QPainter painter(this);
    for (const ControlDiagram::Line& line : diagram.lines()) {
        if (!exposed.intersects(QRect(QPoint(line.x1, line.y1), QPoint(line.x2, line.y2)).normalized()))
            continue;
        QPen pen(QColor(line.colour.r, line.colour.g, line.colour.b));
        pen.setStyle(line.dotted ? Qt::DotLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
    QFont font("Arial");
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int labelHeight = painter.fontMetrics().height();
    for (const SigIco& icon : diagram.icons()) {
        // The icon with its focus rectangle and its label below.
        if (!exposed.intersects(QRect(icon.x - LabelLeft, icon.y - 5, LabelWidth, 36 + labelHeight + 5)))
            continue;
        if (icon.resource != 0)
            painter.drawPixmap(icon.x, icon.y, kindIcon(icon.resource).pixmap(ControlDiagram::IconSize));
        painter.drawText(QPoint(icon.x - LabelLeft, icon.y + 36 + painter.fontMetrics().ascent()),
                         QString::fromStdString(icon.label));
        if (selection_.selected(icon.window->index())) {
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
    if (const SigIco* icon = diagram.hit(point.x(), point.y())) {
        selection_.toggle(icon->window->index());
        update();
    }
}

void CtrlPaintWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        selection_.step(false);
        break;
    case Qt::Key_Right:
        selection_.step(true);
        break;
    case Qt::Key_Down:
        selection_.command(Cmd::ZoomIn);
        break;
    case Qt::Key_Up:
        selection_.command(Cmd::ZoomOut);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CtrlPaintWindow::addSelectionItem(QMenu& menu, const QString& label, std::function<void()> action)
{
    connect(menu.addAction(label), &QAction::triggered, this, [this, action = std::move(action)] {
        action();
        update();
    });
}

void CtrlPaintWindow::fillBackgroundMenu(QMenu& menu)
{
    addSelectionItem(menu, "Select all", [this] { selection_.selectAll(); });
    addSelectionItem(menu, "Unselect all", [this] { selection_.unselectAll(); });
    addSelectionItem(menu, "Invert selection", [this] { selection_.invert(); });
    menu.addSeparator();
    addSelectionItem(menu, "Hide selected", [this] { selection_.setVisible(false); });
    addSelectionItem(menu, "Show selected", [this] { selection_.setVisible(true); });
    if (selection_.signalWindows().size() >= 2) {
        menu.addSeparator();
        PaneContextMenu::addCommand(menu, selection_, "Show selected in one window", Cmd::MergeParallel);
        PaneContextMenu::addCommand(menu, selection_, "Show selected as overlay", Cmd::MergeTogether);
    }
}

void CtrlPaintWindow::fillWindowMenu(QMenu& menu, marluneChild& window)
{
    PaneContextMenu::addCommand(menu, window, "Link", Cmd::Link);
    PaneContextMenu::addCommand(menu, window, "Unlink", Cmd::Unlink);
    menu.addSeparator();
    if (!SignalKind::isSignalWindow(window.kind())) {
        PaneContextMenu::addCommand(menu, window, "Mesh", Cmd::MeshView);
        PaneContextMenu::addCommand(menu, window, "Ruler", Cmd::Ruler3D);
        PaneContextMenu::addCommand(menu, window, "Spectrogram view", Cmd::SpectrogramView);
        PaneContextMenu::addCommand(menu, window, "Adjust colors", Cmd::AdjustZ);
        return;
    }
    PaneContextMenu::addCommand(menu, window, "FFT", Cmd::FFT);
    PaneContextMenu::addCommand(menu, window, "Time FFT...", Cmd::TimeFFT);
    PaneContextMenu::addCommand(menu, window, "Filters...", Cmd::Filter);
    menu.addSeparator();
    PaneContextMenu::addCommand(menu, window, "Zoom pow2...", Cmd::ZoomPow2);
    PaneContextMenu::addCommand(menu, window, "Ruler in sample units", Cmd::RulerSampleUnits);
    PaneContextMenu::addCommand(menu, window, "Step change...", Cmd::StepChange);
    if (const WindowKind* entry = window.kindEntry(); entry && entry->replaceable) {
        menu.addSeparator();
        PaneContextMenu::addCommand(menu, window, "Replace with...", Cmd::ReplaceSignal);
    }
}

void CtrlPaintWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const ControlDiagram diagram(client_);
    if (const SigIco* icon = diagram.hit(event->pos().x(), event->pos().y()))
        fillWindowMenu(menu, *icon->window);
    else
        fillBackgroundMenu(menu);
    menu.exec(event->globalPos());
    update();
    emit menuClosed();
}
