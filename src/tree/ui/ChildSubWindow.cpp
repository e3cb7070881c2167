#include "tree/ui/ChildSubWindow.h"

#include <QMdiArea>

#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"
#include "tree/ui/PlacementGeometry.h"

namespace {
constexpr int FlashIntervalMs = 350;
}  // namespace

ChildSubWindow::ChildSubWindow(marluneChild& child, QWidget* pane) : child_(&child)
{
    setWidget(pane);
    setWindowIcon(kindIcon(child.icon()));
    setWindowTitle(QString::fromStdString(child.caption()));
    child.subscribe(*this);
    flashTimer_.setInterval(FlashIntervalMs);
    connect(&flashTimer_, &QTimer::timeout, this, &ChildSubWindow::blink);
}

ChildSubWindow::~ChildSubWindow()
{
    if (child_)
        child_->unsubscribe(*this);
}

void ChildSubWindow::childChanged(marluneChild& child, const ChildEvent& event)
{
    switch (event.change) {
    case ChildChange::Caption:
        // An overlay that changes its form changes its icon with its title.
        setWindowTitle(QString::fromStdString(child.caption()));
        setWindowIcon(kindIcon(child.icon()));
        break;
    case ChildChange::Raise:
        if (QMdiArea* area = mdiArea())
            area->setActiveSubWindow(this);
        break;
    case ChildChange::Flash:
        showFlash(event.shift != 0);
        break;
    case ChildChange::Placement:
        applyPlacement();
        break;
    case ChildChange::Visibility:
        setVisible(child.visible());
        break;
    case ChildChange::Closing:
        child.unsubscribe(*this);
        child_ = nullptr;
        hide();
        deleteLater();
        break;
    default:
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
    if (marluneChild* child = child_)
        child->client().closeWindow(child);
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
    if (!child_ || area.isEmpty())
        return;
    child_->notePlacement(placementOf(geometry(), area));
}

void ChildSubWindow::applyPlacement()
{
    const QSize area = clientSize();
    if (!child_ || !child_->placement() || area.isEmpty())
        return;
    // The stored pixels come back a pixel short; the report that follows keeps the stored values.
    const WindowPlacement kept = *child_->placement();
    setGeometry(geometryOf(kept, area));
    child_->notePlacement(kept);
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
