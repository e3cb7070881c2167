#pragma once
// Places the visible samples of a signal in the logical space of PlotSpace.
#include <cstdint>
#include <functional>
#include <vector>

#include "signal/MinMaxSummary.h"

struct CurvePoint {
    int x = 0;
    int y = 0;
};

// One column of a dense curve: the highest value is drawn at `top`, the line goes down to `bottom`.
struct CurveColumn {
    int x = 0;
    int top = 0;
    int bottom = 0;
};

// Sample -> x, value -> y, and reduces a dense curve to one min/max column per logical x.
class CurvePlot {
public:
    // `width` is W, the logical width of the plot; `visibleCount` the number of visible samples n.
    CurvePlot(int width, uint32_t visibleCount, float yMin, float yMax, bool logX);

    // A signal can be drawn when it has a sample rate, is valid and shows at least 4 samples.
    static bool drawable(long double sampleRate, bool invalid, uint32_t visibleCount);

    // y = 1000 - (v - ymin) * 1000 / (ymax - ymin), truncated.
    int valueToY(float value) const;
    // x of the visible sample k (0 ... n - 1); logarithmic when asked.
    int sampleToX(uint32_t k) const;
    // The logarithmic X mapping of a linear x in 0 ... width.
    static int logX(int x, int width);
    // A log that fills up (kind 9) shows only its filled part: nothing right of this x is drawn.
    static int filledRight(int width, uint32_t filled, uint32_t maxLength);
    // Beyond three samples per column the curve is drawn as columns (never with logarithmic X).
    bool drawsColumns() const;

    // The visible samples first ... end - 1 as polyline vertices.
    std::vector<CurvePoint> polyline(const float* visible, uint32_t first, uint32_t end) const;

    // Extremes of the visible samples [first, end), relative to the zoom start.
    using Extremes = std::function<MinMax(uint32_t first, uint32_t end)>;
    // Columns first ... last of 0 ... W - 2; a column of NaN samples only is left out.
    std::vector<CurveColumn> columns(const Extremes& extremes, int first, int last) const;
    int lastColumn() const { return width_ - 2; }
    // The column that holds the visible sample k.
    int columnOf(uint32_t k) const;

private:
    int width_;
    uint32_t count_;
    double yMin_;
    double yMax_;
    bool logX_;
};
