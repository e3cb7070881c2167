#pragma once
// How a signal window draws its curve, as one value that the workspace writes and reads as a whole.
#include <string>

#include "base/Rgb.h"

struct CurveDisplay {
    Rgb colour{0, 0, 255};
    bool axes = true;
    bool logX = false;
    // Kept for the axes dialog; the drawing does not use it.
    bool logY = false;
    // The Y range stays as set instead of following the samples.
    bool fixedRange = false;
    std::string xLabel;
    std::string yLabel;

    bool operator==(const CurveDisplay&) const = default;
};
