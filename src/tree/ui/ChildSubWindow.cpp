#include "tree/ui/ChildSubWindow.h"

#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/KindIcons.h"

ChildSubWindow::ChildSubWindow(marluneChild& child, QWidget* pane, ChildView* paneView)
    : child_(&child), paneView_(paneView)
{
    setWidget(pane);
    setWindowIcon(kindIcon(child.icon()));
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
    if (paneView_)
        paneView_->repaint();
    else if (QWidget* pane = widget())
        pane->update();
}

void ChildSubWindow::samplesChanged()
{
    if (paneView_)
        paneView_->samplesChanged();
}

std::optional<std::pair<uint32_t, uint32_t>> ChildSubWindow::selectedSamples() const
{
    return paneView_ ? paneView_->selectedSamples() : std::nullopt;
}

std::optional<std::pair<uint32_t, uint32_t>> ChildSubWindow::selectedForEdit() const
{
    return paneView_ ? paneView_->selectedForEdit() : std::nullopt;
}

std::optional<uint32_t> ChildSubWindow::cursorOffset() const
{
    return paneView_ ? paneView_->cursorOffset() : std::nullopt;
}

bool ChildSubWindow::harmonicRuler() const
{
    return paneView_ && paneView_->harmonicRuler();
}

void ChildSubWindow::toggleHarmonicRuler()
{
    if (paneView_)
        paneView_->toggleHarmonicRuler();
}

void ChildSubWindow::copyPicture()
{
    if (paneView_)
        paneView_->copyPicture();
}

void ChildSubWindow::captionChanged()
{
    if (child_)
        setWindowTitle(QString::fromStdString(child_->caption()));
}

void ChildSubWindow::closing()
{
    child_ = nullptr;
    paneView_ = nullptr;
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
