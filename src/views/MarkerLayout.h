#pragma once
// The arrow and label boxes of one marker in the pane's logical space.
#include <functional>
#include <string>
#include <vector>

#include "views/MarkerSource.h"

struct TextExtent {
    int width = 0;
    int height = 0;
};

struct MarkerBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    // Centred horizontally on the box, its top at the box's top edge.
    std::string label;
};

// The arrow points at the curve point, the boxes stack away from it, downward when there is no room above.
struct MarkerLayout {
    int x = 0;
    int y = 0;
    int stemFromY = 0;
    int stemToY = 0;
    // The triangle (x, y), (x - 3, headY), (x + 3, headY).
    int headY = 0;
    std::vector<MarkerBox> boxes;

    // `x`, `y`: the logical point of the marked sample; `firstVisibleX` and `sampleRate` give the position
    // label; `measure` tells the size of a text in the pane's font, in logical units.
    static MarkerLayout of(const Marker& marker, int x, int y, long double firstVisibleX, long double sampleRate,
                           const std::function<TextExtent(const std::string&)>& measure);
};
