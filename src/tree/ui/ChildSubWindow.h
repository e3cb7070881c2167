#pragma once
#include <QMdiSubWindow>

#include "tree/ChildView.h"

class marluneChild;

// The MDI subwindow of one tree window: mirrors its caption, repaints its pane, and goes away when
// the core destroys the window. Closing it by hand asks the core to destroy the window.
class ChildSubWindow : public QMdiSubWindow, public ChildView {
    Q_OBJECT
public:
    // `paneView`, when given, answers the pane's part of ChildView (selection, cursor, ruler, picture).
    ChildSubWindow(marluneChild& child, QWidget* pane, ChildView* paneView = nullptr);
    ~ChildSubWindow() override;

    // Null once the core has destroyed the window.
    marluneChild* child() const { return child_; }

    // ChildView
    void repaint() override;
    void captionChanged() override;
    void samplesChanged() override;
    void closing() override;
    std::optional<std::pair<uint32_t, uint32_t>> selectedSamples() const override;
    std::optional<std::pair<uint32_t, uint32_t>> selectedForEdit() const override;
    std::optional<uint32_t> cursorOffset() const override;
    bool harmonicRuler() const override;
    void toggleHarmonicRuler() override;
    void copyPicture() override;

signals:
    // The tree window is gone; the pane must drop its pointer to it.
    void childClosing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    marluneChild* child_;
    ChildView* paneView_;
};
