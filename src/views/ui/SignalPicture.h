#pragma once
// The picture of a signal window at one size.
#include <QImage>
#include <QRect>
#include <cstdint>
#include <string>

#include "base/Rgb.h"
#include "views/CurvePlot.h"
#include "views/PlotSpace.h"

class QPainter;
class Signal;
class marluneMDIChild;

// Axes, curve and markers in the logical space of PlotSpace, or the text that says the content cannot be
// shown.
class SignalPicture {
public:
    static constexpr const char* InvalidText = "Content of this window is not valid!";
    static constexpr double TickLabelHeight = 32;

    // What the picture takes from its window; an overlay draws a parent's signal with its own.
    struct Look {
        float yMax = 1;
        float yMin = -1;
        Rgb colour;
        bool axes = true;
        bool logX = false;
        std::string xLabel;
        std::string yLabel;
        double tickLabelHeight = TickLabelHeight;
        // X counts seconds: past an hour its ticks read as a clock.
        bool secondsX = false;

        static Look of(const marluneMDIChild& window);
    };
    // The parts an overlay draws one by one over a picture.
    enum Part { Axes = 1, Curve = 2, Markers = 4, Everything = Axes | Curve | Markers };

    SignalPicture(const marluneMDIChild& window, QSize size);
    SignalPicture(const marluneMDIChild& window, QSize size, const Look& look);

    bool drawable() const { return drawable_; }
    // Samples per logical column (pps), which live scrolling moves the picture by.
    double pixelsPerSample() const;
    const PlotSpace& space() const { return space_; }

    void draw(QImage& image) const;
    // The parts of a drawable picture over what the image holds.
    void drawOver(QImage& image, int parts) const;
    // A line of text at (10, 10) instead of a picture.
    static void drawNotice(QImage& image, const char* text);
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
    Look look_;
    QSize size_;
    bool drawable_;
    PlotSpace space_;
    CurvePlot plot_;
};
