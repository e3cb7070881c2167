#include "views/AxisLayout.h"

#include <cmath>

#include "views/AxisTicks.h"
#include "views/CurvePlot.h"
#include "views/PlotSpace.h"

namespace {
// A degenerate or non-finite range would loop without end; no axis has more ticks than this.
constexpr int MaxTicks = 1000;

bool usableStep(double step)
{
    return step > 0 && std::isfinite(step);
}

void linearXTicks(AxisLayout& layout, double x0, double x1, double sx, bool clock)
{
    const double step = TickStep(x0, x1);
    for (const double t : LinearTicks(x0, x1))
        layout.xTicks.push_back({int((t - x0) * sx), clock ? ClockLabel(t, step) : TickLabel(t, step)});
}

void logXTicks(AxisLayout& layout, double x0, double x1, double sx, int width)
{
    // The step is brought to a power of ten at or below a tenth of the linear step.
    double step = TickStep(x0, x1) * 0.1;
    if (!usableStep(step))
        return;
    double m = 1;
    while (step < 100 && step != 0) {
        step *= 10;
        m *= 10;
    }
    while (step > 1000) {
        step *= 0.1;
        m *= 0.1;
    }
    step = 100 / m;
    if (!usableStep(step))
        return;
    const double first = FirstTick(x0, step);
    double t = first;
    for (int n = 0; t < x1 && n < MaxTicks; ++n, t += step) {
        // Ticks at first + 0, 1, 2, 4, 8 ... initial steps spread evenly on the logarithmic axis.
        if ((t - first) / step >= 2)
            step *= 2;
        layout.xTicks.push_back({CurvePlot::logX(int((t - x0) * sx), width), TickLabel(t, step)});
    }
}

void placeYTicks(AxisLayout& layout, double yMin, double yMax, double sy)
{
    const std::vector<double> ticks = LinearTicks(yMin, yMax);
    if (ticks.empty())
        return;
    const double step = TickStep(yMin, yMax);
    for (const double t : ticks)
        layout.yTicks.push_back({int(PlotSpace::PlotHeight - (t - yMin) * sy), TickLabel(t, step)});
}
}  // namespace

AxisLayout AxisLayout::of(double x0, double x1, double yMin, double yMax, int width, bool logX, bool secondsX)
{
    AxisLayout layout;
    const double sx = width / (x1 - x0);
    const double sy = PlotSpace::PlotHeight / (yMax - yMin);
    if (logX) {
        layout.xLabelShift = LogLabelShift;
        logXTicks(layout, x0, x1, sx, width);
    } else {
        linearXTicks(layout, x0, x1, sx, secondsX && ReadsAsClock(x0, x1));
    }
    placeYTicks(layout, yMin, yMax, sy);
    if (yMin * yMax < 0)
        layout.zeroLineY = int(PlotSpace::PlotHeight + yMin * sy);
    return layout;
}
