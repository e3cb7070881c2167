#pragma once
// The axes of a 3D view as lines and texts.
#include <optional>
#include <string>
#include <vector>

#include "views/Projection3D.h"

class FFTSignal;
class SpectrogramCells;

// Device pixels in the spectrogram view, the logical space of the mesh picture (its virtual extent) in the
// mesh view.
struct Axes3DLayout {
    struct Line {
        ScreenPoint from;
        ScreenPoint to;
    };
    // Where the text's anchor lies on its box: its top-left, top-centre or top-right corner; an upward
    // text is rotated to read bottom to top and ends at its point.
    enum class Anchor { TopLeft, TopCentre, TopRight, Upward };
    struct Label {
        ScreenPoint at;
        std::string text;
        Anchor anchor = Anchor::TopLeft;
    };
    struct Titles {
        std::string x;
        std::string y;
        std::string z;
    };

    // The spectrogram's colour scale below its time axis: the lowest Z's colour at `from`, the highest's at
    // `to`, `thickness` pixels high, its two ends labelled with their Z values.
    struct ColourBar {
        ScreenPoint from;
        ScreenPoint to;
        int thickness = 0;
        float zMin = 0;
        float zMax = 0;
    };

    std::vector<Line> lines;
    std::vector<Label> labels;
    std::optional<ColourBar> colourBar;
    int fontHeight = 0;

    // Ticks of the level's X and Y ranges below and right of the cells, with the frame, two titles and the
    // colour scale.
    static Axes3DLayout spectrogram(const FFTSignal& data, const SpectrogramCells& cells, const Titles& titles);
    // The box edges, stubs and end values of the mesh seen from the data's azimuth and elevation.
    static Axes3DLayout mesh(const FFTSignal& data, const Titles& titles);
};
