#pragma once
// The instrument pane: the dial, the bar or the number of an instrument window's current value.
#include "views/ui/ChildPane.h"

class marlune1DChild;

// Its right-button menu switches between dial and number, logs the values and opens the properties.
class crtezAnalog : public ChildPane {
    Q_OBJECT
public:
    // Instrument windows open at this size.
    static constexpr int Side = 250;

    explicit crtezAnalog(marlune1DChild& child, QWidget* parent = nullptr);

    // Null once the window was destroyed.
    marlune1DChild* child() const { return window() ? &shown_ : nullptr; }
    // The display at any size, drawn as on the screen.
    QImage render(QSize size) const override;
    QSize sizeHint() const override { return {Side, Side}; }

protected:
    void windowChanged(const ChildEvent& event) override;
    // The display is drawn anew for every paint.
    void refreshBackBuffer() override { backBuffer_ = render(size()); }
    void fillContextMenu(QMenu& menu, QPoint at) override;

private:
    marlune1DChild& shown_;
};
