#pragma once
#include <QImage>
#include <QRect>
#include <cstdint>

#include "views/CurvePlot.h"
#include "views/PlotSpace.h"

class QPainter;
class Signal;
class marluneMDIChild;

// The picture of a signal window at one size: axes, curve and markers in the logical space of
// PlotSpace, or the text that says the content cannot be shown.
class SignalPicture {
public:
    static constexpr const char* InvalidText = "Content of this window is not valid!";

    SignalPicture(const marluneMDIChild& window, QSize size);

    bool drawable() const { return drawable_; }
    // Samples per logical column (pps), which live scrolling moves the picture by.
    double pixelsPerSample() const;
    const PlotSpace& space() const { return space_; }

    void draw(QImage& image) const;
    // Redraws only a device strip after the picture was scrolled: axes and markers inside it, and
    // the curve of the visible samples [first, end).
    void drawStrip(QImage& image, const QRect& strip, uint32_t first, uint32_t end) const;

private:
    void setUp(QPainter& painter) const;
    void drawAxes(QPainter& painter) const;
    void drawCurve(QPainter& painter, QImage& image, const QRect& clip, uint32_t first, uint32_t end) const;
    void drawColumns(const QPainter& painter, QImage& image, const QRect& clip, int rightmost, uint32_t first,
                     uint32_t end) const;
    void drawMarkers(QPainter& painter) const;

    const marluneMDIChild& window_;
    const Signal* signal_;
    QSize size_;
    bool drawable_;
    PlotSpace space_;
    CurvePlot plot_;
};
