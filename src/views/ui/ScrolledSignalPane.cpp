#include "views/ui/ScrolledSignalPane.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <climits>

#include "signal/Signal.h"
#include "tree/marluneMDIChild.h"
#include "views/ui/TSigWindow.h"

ScrolledSignalPane::ScrolledSignalPane(marluneMDIChild& window, QWidget* parent)
    : QWidget(parent), pane_(new TSigWindow(window, this)), bar_(new QScrollBar(Qt::Horizontal, this)),
      subscription_(window, *this)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pane_, 1);
    layout->addWidget(bar_);
    bar_->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(pane_);
    connect(bar_, &QScrollBar::valueChanged, this, &ScrolledSignalPane::moved);
    follow();
}

void ScrolledSignalPane::childChanged(marluneChild&, const ChildEvent& event)
{
    if (event.change == ChildChange::Closing)
        bar_->setEnabled(false);
    else if (event.change == ChildChange::Repaint || event.change == ChildChange::Samples)
        follow();
}

void ScrolledSignalPane::follow()
{
    const auto* window = static_cast<marluneMDIChild*>(subscription_.window());
    if (!window || !window->signal() || window->signal()->count() == 0) {
        bar_->setEnabled(false);
        return;
    }
    const Signal& signal = *window->signal();
    scale_ = std::max<uint32_t>(1, uint32_t((uint64_t(signal.count()) + INT_MAX - 1) / INT_MAX));
    const QSignalBlocker quiet(bar_);
    bar_->setRange(0, int((signal.count() - signal.visibleCount()) / scale_));
    bar_->setPageStep(std::max(1, int(signal.visibleCount() / scale_)));
    bar_->setSingleStep(std::max(1, int(window->step() / scale_)));
    bar_->setValue(int(signal.firstVisible() / scale_));
    bar_->setEnabled(signal.zoomLevel() > 0 && signal.visibleCount() < signal.count());
}

void ScrolledSignalPane::moved(int value)
{
    if (auto* window = static_cast<marluneMDIChild*>(subscription_.window()))
        window->scrollTo(uint32_t(value) * scale_);
    follow();
}
