#pragma once
#include <QImage>
#include <QWidget>

class QPainter;
class Signal;
class marluneMDIChild;

// The drawing pane of a signal window: the visible part of the window's signal as a curve,
// painted on a back buffer in the logical space of PlotSpace.
class TSigWindow : public QWidget {
    Q_OBJECT
public:
    explicit TSigWindow(marluneMDIChild& child, QWidget* parent = nullptr);

    // Null once the window was destroyed.
    marluneMDIChild* child() const { return child_; }
    void detach();

    // The pane's picture at any size, drawn as on the screen (pictures, exports, tests).
    QImage render(QSize size) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawInto(QImage& image) const;
    void drawCurve(QPainter& painter, const Signal& signal, QSize size) const;

    marluneMDIChild* child_;
    QImage backBuffer_;
};
