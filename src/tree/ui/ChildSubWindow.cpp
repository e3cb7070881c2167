#include "tree/ui/ChildSubWindow.h"

#include <QMdiArea>

#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"
#include "tree/ui/PlacementGeometry.h"

namespace {
constexpr int FlashIntervalMs = 350;
}  // namespace

ChildSubWindow::ChildSubWindow(marluneChild& child, QWidget* pane) : subscription_(child, *this, this)
{
    setWidget(pane);
    setWindowIcon(kindIcon(child.icon()));
    setWindowTitle(QString::fromStdString(child.caption()));
    flashTimer_.setInterval(FlashIntervalMs);
    connect(&flashTimer_, &QTimer::timeout, this, &ChildSubWindow::blink);
}

void ChildSubWindow::childChanged(marluneChild& child, const ChildEvent& event)
{
    switch (event.change) {
    case ChildChange::Caption:
        // An overlay that changes its form changes its icon with its title.
        setWindowTitle(QString::fromStdString(child.caption()));
        setWindowIcon(kindIcon(child.icon()));
        break;
    case ChildChange::Closing:
        hide();
        deleteLater();
        break;
    default:
        break;
    }
}

void ChildSubWindow::desktopRequested(marluneChild& child, DesktopRequest request)
{
    switch (request) {
    case DesktopRequest::Raise:
        if (QMdiArea* area = mdiArea())
            area->setActiveSubWindow(this);
        break;
    case DesktopRequest::Flash:
        showFlash(child.flashing());
        break;
    case DesktopRequest::Place:
        applyPlacement();
        break;
    case DesktopRequest::Visibility:
        setVisible(child.visible());
        break;
    case DesktopRequest::CopyPicture:
        break;
    }
}

void ChildSubWindow::showFlash(bool on)
{
    flashLit_ = !on;
    if (on) {
        blink();
        flashTimer_.start();
    } else {
        flashTimer_.stop();
        setStyleSheet(QString());
    }
}

void ChildSubWindow::blink()
{
    flashLit_ = !flashLit_;
    setStyleSheet(flashLit_ ? QStringLiteral("QMdiSubWindow { border: 3px solid rgb(230, 0, 0); }") : QString());
}

void ChildSubWindow::closeEvent(QCloseEvent* event)
{
    // The core destroys the window and announces Closing, which removes this subwindow.
    if (marluneChild* shown = child())
        shown->client().closeWindow(shown);
    QMdiSubWindow::closeEvent(event);
}

QSize ChildSubWindow::clientSize() const
{
    const QMdiArea* area = mdiArea();
    return area ? area->viewport()->size() : QSize();
}

void ChildSubWindow::reportPlacement()
{
    const QSize area = clientSize();
    if (!child() || area.isEmpty())
        return;
    child()->notePlacement(placementOf(geometry(), area));
}

void ChildSubWindow::applyPlacement()
{
    const QSize area = clientSize();
    marluneChild* shown = child();
    if (!shown || !shown->placement() || area.isEmpty())
        return;
    // The stored pixels come back a pixel short; the report that follows keeps the stored values.
    const WindowPlacement kept = *shown->placement();
    setGeometry(geometryOf(kept, area));
    shown->notePlacement(kept);
}

void ChildSubWindow::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    reportPlacement();
}

void ChildSubWindow::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    reportPlacement();
}
