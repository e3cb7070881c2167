#pragma once
// The logical drawing space of a one-dimensional pane: X 0 ... W, Y 0 (top of the plot) ... 1000 (bottom).

// With axes the window is 1.1 times larger and the viewport starts a tenth of the width from the left,
// which leaves a strip left of and below the plot for tick labels and titles.
struct PlotSpace {
    static constexpr int PlotHeight = 1000;

    int windowWidth = 0;
    int windowHeight = 0;
    int viewportX = 0;
    int viewportY = 0;
    int viewportWidth = 0;
    int viewportHeight = 0;

    // `width` and `height` are the device size of the area drawn into.
    static PlotSpace of(int width, int height, bool axes);

    // Logical to device coordinates, truncated.
    int toDeviceX(double x) const;
    int toDeviceY(double y) const;
    // Device pixels per logical unit.
    double scaleX() const { return double(viewportWidth) / windowWidth; }
    double scaleY() const { return double(viewportHeight) / windowHeight; }
};
