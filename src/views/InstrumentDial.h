#pragma once
// The geometry of an instrument's dial in a display of W × H pixels.
#include <array>
#include <string>
#include <vector>

#include "views/InstrumentReading.h"

// The square of side S = min(W, H − 40) at (0, 20), a scale of 270° from the lower left (range from) over
// the top to the lower right (range to), 61 ticks and labels at a nice step.
class InstrumentDial {
public:
    struct Point {
        double x = 0;
        double y = 0;
    };
    struct Tick {
        Point outer;
        Point inner;
    };
    enum class Align { Left, Centre, Right };
    struct Label {
        double value;
        std::string text;  // "%.5G"
        Point at;          // top of the text; x is its left, centre or right end by `align`
        Align align;
    };
    // A sector in degrees anticlockwise from three o'clock, as pies and arcs are drawn.
    struct Sector {
        double startDegrees;
        double spanDegrees;
    };

    InstrumentDial(int width, int height, double rangeFrom, double rangeTo);

    int side() const { return side_; }
    double radius() const { return side_ / 2.0; }
    Point centre() const { return {side_ / 2.0, side_ / 2.0 + 20}; }
    // The screen angle of a value, in radians with y pointing down: k × (v − range from) − 3.927.
    double screenAngle(double value) const;
    // The whole scale, from range from to range to.
    Sector scale() const;
    // The red slices of the critical range: one inside it, or the two parts outside it.
    std::vector<Sector> criticalSectors(const InstrumentReading& reading) const;
    std::vector<Tick> ticks() const;
    // At the nice step: |b − a| scaled by powers of ten into [100, 1000], a tenth of it rounded up
    // to a multiple of ten; from the first multiple of the step not below range from.
    std::vector<Label> labels() const;
    // The needle's triangle for a value held within the scale: base at the centre, tip at 14/15 r.
    std::array<Point, 3> needle(double value) const;

private:
    double degreesOf(double value) const;

    int side_;
    double from_;
    double to_;
    double k_;
};
