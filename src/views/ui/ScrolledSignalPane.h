#pragma once
// A signal pane with a horizontal scroll bar over the whole signal below it, as a signal window shows it.
#include <QWidget>

#include "tree/ChildEvent.h"
#include "tree/ChildSubscription.h"

class QScrollBar;
class TSigWindow;
class marluneMDIChild;

// The bar spans the whole signal and its handle the visible part; moving it scrolls the window through
// marluneMDIChild::scrollTo, so the subtree follows once per move. It is disabled while everything is
// visible. Focus goes to the pane.
class ScrolledSignalPane : public QWidget, private ChildListener {
    Q_OBJECT
public:
    explicit ScrolledSignalPane(marluneMDIChild& window, QWidget* parent = nullptr);

    TSigWindow& pane() const { return *pane_; }
    QScrollBar& scrollBar() const { return *bar_; }

private:
    void childChanged(marluneChild& child, const ChildEvent& event) override;
    // The bar's range, handle and step from the window's visible part, without moving the window.
    void follow();
    void moved(int value);

    TSigWindow* pane_;
    QScrollBar* bar_;
    ChildSubscription subscription_;
    // Samples per unit of the bar, for signals longer than its integer range.
    uint32_t scale_ = 1;
};
