#pragma once
#include <QImage>
#include <QWidget>

#include "tree/ChildEvent.h"

class marlune1DChild;

// The display of an instrument window: the dial, the bar or the number of its current value, and the
// right-button menu that switches between dial and number, logs the values and opens the properties.
class crtezAnalog : public QWidget, public ChildListener {
    Q_OBJECT
public:
    // Instrument windows open at this size.
    static constexpr int Side = 250;

    explicit crtezAnalog(marlune1DChild& child, QWidget* parent = nullptr);
    ~crtezAnalog() override;

    // Null once the window was destroyed.
    marlune1DChild* child() const { return child_; }
    // The display at any size, drawn as on the screen.
    QImage render(QSize size) const;
    QSize sizeHint() const override { return {Side, Side}; }

    void childChanged(marluneChild& child, const ChildEvent& event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void detach();

    marlune1DChild* child_;
};
