#include "tree/ui/ChildSubWindow.h"

#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"

ChildSubWindow::ChildSubWindow(marluneChild& child, QWidget* pane) : child_(&child)
{
    setWidget(pane);
    setWindowIcon(kindIcon(child.icon()));
    setWindowTitle(QString::fromStdString(child.caption()));
    child.subscribe(*this);
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

void ChildSubWindow::closeEvent(QCloseEvent* event)
{
    // The core destroys the window and announces Closing, which removes this subwindow.
    if (marluneChild* child = child_)
        child->client().closeWindow(child);
    QMdiSubWindow::closeEvent(event);
}
