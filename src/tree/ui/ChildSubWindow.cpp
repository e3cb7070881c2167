#include "tree/ui/ChildSubWindow.h"

#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"

ChildSubWindow::ChildSubWindow(marluneChild& child, QWidget* pane) : child_(&child)
{
    setWidget(pane);
    child.setView(this);
    captionChanged();
}

ChildSubWindow::~ChildSubWindow()
{
    if (child_)
        child_->setView(nullptr);
}

void ChildSubWindow::repaint()
{
    if (QWidget* pane = widget())
        pane->update();
}

void ChildSubWindow::captionChanged()
{
    if (child_)
        setWindowTitle(QString::fromStdString(child_->caption()));
}

void ChildSubWindow::closing()
{
    child_ = nullptr;
    emit childClosing();
    hide();
    deleteLater();
}

void ChildSubWindow::closeEvent(QCloseEvent* event)
{
    // The core destroys the window and calls closing(), which removes this subwindow.
    if (marluneChild* child = child_)
        child->client().closeWindow(child);
    QMdiSubWindow::closeEvent(event);
}
