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

int sharing(double size)
{
    return size < 1 ? int(std::lround(1 / size)) : 1;
}
}  // namespace

SpectrogramCells::SpectrogramCells(const ViewLevel& level, int clientWidth, int clientHeight, bool lowAtBottom)
    : level_(level), cw_(cellSize(double(clientWidth - AxisWidth) / std::max(level.rowCount, 1))),
      ch_(cellSize(double(clientHeight - AxisHeight) / std::max(level.binCount, 1))), lowAtBottom_(lowAtBottom)
{
}

double SpectrogramCells::cellSize(double pixels)
{
    // A narrow pane gets the same floor as a low one: never a size of 0 or below to divide by.
    if (!(pixels > 0))
        return 0.01;
    if (pixels >= 1)
        return std::trunc(pixels);
    return 1 / std::ceil(1 / pixels);
}

int SpectrogramCells::rowsPerPixel() const
{
    return sharing(cw_);
}

int SpectrogramCells::binsPerPixel() const
{
    return sharing(ch_);
}

ScreenPoint SpectrogramCells::point(int64_t r, int64_t j) const
{
    const int64_t down = lowAtBottom_ ? level_.lastBin - j : j - level_.firstBin;
    return {truncatedPixel(double(r - level_.firstRow) * cw_), truncatedPixel(double(down) * ch_)};
}

std::optional<std::pair<int64_t, int64_t>> SpectrogramCells::cellAt(int x, int y) const
{
    if (x < 0 || y < 0 || x > pictureWidth() + cw_ / 2 || y > pictureHeight() + ch_ / 2)
        return std::nullopt;
    const auto r = std::min<int64_t>(level_.firstRow + std::llround(x / cw_), level_.lastRow);
    const int64_t down = std::min<int64_t>(std::llround(y / ch_), level_.lastBin - level_.firstBin);
    const int64_t j = lowAtBottom_ ? level_.lastBin - down : level_.firstBin + down;
    return std::pair{r, j};
}

double SpectrogramCells::pictureWidth() const
{
    return (level_.rowCount - 1) * cw_;
}

double SpectrogramCells::pictureHeight() const
{
    return (level_.binCount - 1) * ch_;
}

int SpectrogramCells::cellColour(double cornerSum, float zMin, float zMax)
{
    return clampedColour((cornerSum - 4.0 * zMin) * 47 / (double(zMax) - zMin) * 0.25);
}

int SpectrogramCells::blockColour(double maximum, float zMin, float zMax)
{
    return clampedColour((maximum - zMin) * 47 / (double(zMax) - zMin));
}
