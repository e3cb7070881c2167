#pragma once
#include <cstdint>
#include <vector>

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

// Places the visible samples of a signal in the logical space of PlotSpace: sample -> x, value -> y,
// and reduces a dense curve to one min/max column per logical x.
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
    // A log that fills up (kind 9) shows only its filled part: nothing right of this x is drawn.
    static int filledRight(int width, uint32_t filled, uint32_t maxLength);
    // Beyond three samples per column the curve is drawn as columns (never with logarithmic X).
    bool drawsColumns() const;

    // Every visible sample as a polyline vertex.
    std::vector<CurvePoint> polyline(const float* visible) const;
    // Columns 0 ... W - 2, found in one pass over the visible samples.
    std::vector<CurveColumn> columns(const float* visible) const;

private:
    int width_;
    uint32_t count_;
    double yMin_;
    double yMax_;
    bool logX_;
};
