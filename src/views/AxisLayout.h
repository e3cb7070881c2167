#pragma once
// Where the axes of a signal pane put their ticks, labels and zero line.
#include <optional>
#include <string>
#include <vector>

struct AxisTick {
    int position = 0;  // logical x of an X tick, logical y of a Y tick
    std::string label;
};

// All in the pane's logical space (X 0 ... W, Y 0 ... 1000 with ymax at the top).
struct AxisLayout {
    // X labels start this far left of their tick, at logical y 1020.
    static constexpr int LinearLabelShift = 10;
    static constexpr int LogLabelShift = 5;
    static constexpr int XLabelTop = 1020;
    // Y labels end at logical x -2, 20 units above their tick.
    static constexpr int YLabelRight = -2;
    static constexpr int YLabelRaise = 20;
    static constexpr int XTickLength = 30;
    static constexpr int YTickLength = 10;

    std::vector<AxisTick> xTicks;
    int xLabelShift = LinearLabelShift;
    std::vector<AxisTick> yTicks;
    // The value 0 lies strictly inside the Y range.
    std::optional<int> zeroLineY;

    // [x0, x1] is the visible X range, [yMin, yMax] the Y range, `width` the logical width W. With
    // `secondsX` the X values are seconds: a linear axis past an hour is labelled as a clock.
    static AxisLayout of(double x0, double x1, double yMin, double yMax, int width, bool logX, bool secondsX = false);
};
