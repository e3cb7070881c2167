#pragma once
// The geometry and colours of the spectrogram view.
#include <cstdint>
#include <optional>
#include <utility>

#include "views/Projection3D.h"

struct ViewLevel;

// One cell per matrix cell, rows to the right and bins downwards in device pixels, 40 pixels to the right
// and 30 below left for the axes.
class SpectrogramCells {
public:
    static constexpr int AxisWidth = 40;
    static constexpr int AxisHeight = 30;
    static constexpr int Colours = 48;

    // `lowAtBottom`: bins upwards, the first one at the bottom of the picture.
    SpectrogramCells(const ViewLevel& level, int clientWidth, int clientHeight, bool lowAtBottom = false);

    // A size of one cell: whole pixels truncated, below one pixel a unit fraction 1 / ceil(1 / x), so
    // a whole number of cells shares a pixel; 0.01 when not above 0.
    static double cellSize(double pixels);

    double cellWidth() const { return cw_; }
    double cellHeight() const { return ch_; }
    // Whole-pixel sizes for the rectangles (1 for a fractional size).
    int wholeWidth() const { return cw_ >= 1 ? int(cw_) : 1; }
    int wholeHeight() const { return ch_ >= 1 ? int(ch_) : 1; }
    // Cells are rectangles when either size is more than one pixel; else pixels show block maxima.
    bool rectangles() const { return wholeWidth() > 1 || wholeHeight() > 1; }
    // Rows and bins that share one pixel (1 for a whole-pixel size).
    int rowsPerPixel() const;
    int binsPerPixel() const;

    // The grid point of row r, bin j: the top-left corner of the cell from (r, j) to (r + 1, j + 1) with
    // bins downwards, its bottom-left corner with bins upwards.
    ScreenPoint point(int64_t r, int64_t j) const;
    // The top-left corner of the cell from (r, j) to (r + 1, j + 1), whichever way the bins run.
    ScreenPoint cellTop(int64_t r, int64_t j) const { return point(r, lowAtBottom_ ? j + 1 : j); }
    bool lowAtBottom() const { return lowAtBottom_; }
    // The row and bin of the grid point nearest a pixel of the picture; none off the picture.
    std::optional<std::pair<int64_t, int64_t>> cellAt(int x, int y) const;
    // Width (rows - 1) × cw and height (bins - 1) × ch of the picture, where the axes begin.
    double pictureWidth() const;
    double pictureHeight() const;

    // Palette index of a cell from the sum of its four corner values.
    static int cellColour(double cornerSum, float zMin, float zMax);
    // Palette index of the largest value of a block.
    static int blockColour(double maximum, float zMin, float zMax);

private:
    const ViewLevel& level_;
    double cw_;
    double ch_;
    bool lowAtBottom_;
};
