#include "views/SpectrogramCells.h"

#include <algorithm>
#include <cmath>

#include "views/TruncatedPixel.h"
#include "views/ViewLevel.h"

namespace {
int clampedColour(double index)
{
    if (std::isnan(index))
        return 0;
    return std::clamp(truncatedPixel(index), 0, SpectrogramCells::Colours - 1);
}

int64_t floorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int64_t ceilDiv(int64_t a, int64_t b)
{
    return -floorDiv(-a, b);
}
}  // namespace

SpectrogramCells::SpectrogramCells(const ViewLevel& level, int clientWidth, int clientHeight, bool lowAtBottom)
    : level_(level), width_(std::max(clientWidth - AxisWidth, 1)), height_(std::max(clientHeight - AxisHeight, 1)),
      lowAtBottom_(lowAtBottom)
{
}

SpectrogramCells::Run SpectrogramCells::cellsOfPixel(int64_t pixel, int64_t cells, int64_t pixels)
{
    if (cells < 1 || pixels < 1)
        return {0, 0};
    // Cell c has its centre at (2c + 1) × pixels / (2 × cells); the pixel holds the centres in
    // [pixel, pixel + 1). Integers, so a centre on a pixel's edge belongs to one pixel only.
    const int64_t twice = 2 * pixels;
    const int64_t first = ceilDiv(2 * cells * pixel - pixels, twice);
    const int64_t last = ceilDiv(2 * cells * (pixel + 1) - pixels, twice) - 1;
    if (first <= last)
        return {std::clamp<int64_t>(first, 0, cells - 1), std::clamp<int64_t>(last, 0, cells - 1)};
    // No centre inside: the cell under the pixel's centre.
    const int64_t under = std::clamp<int64_t>(floorDiv((2 * pixel + 1) * cells, twice), 0, cells - 1);
    return {under, under};
}

double SpectrogramCells::cellWidth() const
{
    return double(width_) / std::max(level_.rowCount, 1);
}

double SpectrogramCells::cellHeight() const
{
    return double(height_) / std::max(level_.binCount, 1);
}

int SpectrogramCells::wholeRowWidth() const
{
    return level_.rowCount > 0 && width_ % level_.rowCount == 0 ? width_ / level_.rowCount : 0;
}

SpectrogramCells::Run SpectrogramCells::rowsAt(int x) const
{
    const Run run = cellsOfPixel(x, level_.rowCount, width_);
    return {level_.firstRow + run.first, level_.firstRow + run.last};
}

SpectrogramCells::Run SpectrogramCells::binsAt(int y) const
{
    const Run down = cellsOfPixel(y, level_.binCount, height_);
    if (lowAtBottom_)
        return {level_.lastBin - down.last, level_.lastBin - down.first};
    return {level_.firstBin + down.first, level_.firstBin + down.last};
}

std::optional<std::pair<SpectrogramCells::Run, SpectrogramCells::Run>> SpectrogramCells::cellsAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || level_.rowCount < 1 || level_.binCount < 1)
        return std::nullopt;
    return std::pair{rowsAt(x), binsAt(y)};
}

double SpectrogramCells::xOfRow(double offset) const
{
    return (offset + 0.5) * cellWidth();
}

double SpectrogramCells::yOfBin(double offset) const
{
    const double down = lowAtBottom_ ? level_.binCount - 1 - offset : offset;
    return (down + 0.5) * cellHeight();
}

ScreenPoint SpectrogramCells::point(int64_t r, int64_t j) const
{
    return {truncatedPixel(xOfRow(double(r - level_.firstRow))), truncatedPixel(yOfBin(double(j - level_.firstBin)))};
}

int SpectrogramCells::cellColour(double cornerSum, float zMin, float zMax)
{
    return clampedColour((cornerSum - 4.0 * zMin) * 47 / (double(zMax) - zMin) * 0.25);
}

int SpectrogramCells::blockColour(double maximum, float zMin, float zMax)
{
    return clampedColour((maximum - zMin) * 47 / (double(zMax) - zMin));
}
