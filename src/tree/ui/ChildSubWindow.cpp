#include "tree/ui/ChildSubWindow.h"

#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"

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
        setWindowTitle(QString::fromStdString(child.caption()));
        break;
    case ChildChange::Flash:
        showFlash(event.shift != 0);
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
