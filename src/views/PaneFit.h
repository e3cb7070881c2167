#pragma once
// How far a picture shrinks about the pane's centre so that texts fixed to its points fit the pane.
#include <vector>

// A text's box beside a point of the picture: the point where the whole-pane picture puts it, in pane
// pixels, and the box's edges relative to it (a text keeps its size while the picture shrinks).
struct AnchoredBox {
    double x = 0;
    double y = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct PaneFit {
    // The largest factor in (0, 1] by which the picture, shrunk about the pane's centre, keeps every box
    // inside the pane of `width` × `height` pixels (right and bottom exclusive); `smallest` when even
    // that factor does not, as a box wider than half the pane never fits.
    static double scale(const std::vector<AnchoredBox>& boxes, int width, int height, double smallest = 0.1);
};
