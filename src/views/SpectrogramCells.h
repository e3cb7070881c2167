#pragma once
// The geometry and colours of the spectrogram view.
#include <cstdint>
#include <optional>
#include <utility>

#include "views/Projection3D.h"

struct ViewLevel;

// Rows to the right and bins downwards (upwards with `lowAtBottom`) over the plot area, the client area
// less 40 pixels right and 30 below for the axes. Every row and bin takes an equal, fractional share of
// the area, so the picture fills it whatever the counts: a pixel shows the cells whose centres lie in it,
// or, where cells are wider than a pixel, the one under its own centre. Each cell thus falls in one pixel
// run and every pixel of the area shows at least one cell.
class SpectrogramCells {
public:
    static constexpr int AxisWidth = 40;
    static constexpr int AxisHeight = 30;
    static constexpr int Colours = 48;

    // The cells first ... last (inclusive) shown in one pixel.
    struct Run {
        int64_t first = 0;
        int64_t last = 0;
        bool operator==(const Run&) const = default;
    };

    SpectrogramCells(const ViewLevel& level, int clientWidth, int clientHeight, bool lowAtBottom = false);

    // Of `cells` cells over `pixels` pixels, those pixel `pixel` shows, counted from 0.
    static Run cellsOfPixel(int64_t pixel, int64_t cells, int64_t pixels);

    // The plot area in pixels; the frame of the axes runs along its right and bottom edges.
    int pictureWidth() const { return width_; }
    int pictureHeight() const { return height_; }
    // Pixels per row and per bin.
    double cellWidth() const;
    double cellHeight() const;
    // The pixels of every row when each row has the same whole number of them (a one-row scroll moves
    // the picture exactly), else 0.
    int wholeRowWidth() const;
    bool lowAtBottom() const { return lowAtBottom_; }

    // The level's rows in pixel column x and bins in pixel row y of the area (first ≤ last either way).
    Run rowsAt(int x) const;
    Run binsAt(int y) const;
    // The runs of rows and bins at a pixel; none off the area.
    std::optional<std::pair<Run, Run>> cellsAt(int x, int y) const;
    // The centre of the cell of row r and bin j, truncated: where the ruler and the wire lines run.
    ScreenPoint point(int64_t r, int64_t j) const;
    // Where a row or bin at a fractional offset from the level's first one has its centre, so that the
    // axes' ticks lie on the cells they name.
    double xOfRow(double offset) const;
    double yOfBin(double offset) const;

    // Palette index of a cell from the sum of its four corner values.
    static int cellColour(double cornerSum, float zMin, float zMax);
    // Palette index of the largest value of a block.
    static int blockColour(double maximum, float zMin, float zMax);

private:
    const ViewLevel& level_;
    int width_;
    int height_;
    bool lowAtBottom_;
};
