#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "views/ColumnMaxima.h"
#include "views/SpectrogramCells.h"
#include "views/ViewLevel.h"

// Cell c has its centre at (c + 1/2) × pixels / cells: 10 cells over 400 pixels are 40 pixels each,
// 1000 over 790 (the 830-pixel pane) put the centres 0.395, 1.185, 1.975 ... into pixels 0, 1, 1.
TEST(SpectrogramCells, PixelRunsOfTheCells)
{
    using Run = SpectrogramCells::Run;
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(0, 10, 400), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(39, 10, 400), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(40, 10, 400), (Run{1, 1}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(399, 10, 400), (Run{9, 9}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(0, 1000, 790), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(1, 1000, 790), (Run{1, 2}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(788, 1000, 790), (Run{997, 998}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(789, 1000, 790), (Run{999, 999}));
    // Centres on a pixel's edge: 2 cells over 4 pixels centre at 1 and 3, each in the pixel it starts.
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(0, 2, 4), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(1, 2, 4), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(2, 2, 4), (Run{1, 1}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(3, 2, 4), (Run{1, 1}));
    // One cell fills any width; no cells or no pixels give the first cell rather than a division by 0.
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(500, 1, 790), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(3, 0, 790), (Run{0, 0}));
    EXPECT_EQ(SpectrogramCells::cellsOfPixel(3, 10, 0), (Run{0, 0}));
}

// Over every count and width, the pixels' runs follow each other without a gap or an overlap from the
// first cell to the last; cells wider than a pixel get the whole pixels of their share, give or take one.
TEST(SpectrogramCells, RunsCoverEveryCellOnceAndEveryPixel)
{
    for (const int64_t cells : {1, 2, 3, 7, 50, 333, 512, 790, 1000, 5000, 465117})
        for (const int64_t pixels : {1, 2, 41, 270, 400, 789, 790, 1260}) {
            SCOPED_TRACE(std::to_string(cells) + " cells over " + std::to_string(pixels));
            int64_t next = 0;
            int64_t widest = 0;
            int64_t narrowest = pixels + 1;
            int64_t width = 0;
            for (int64_t p = 0; p < pixels; ++p) {
                const SpectrogramCells::Run run = SpectrogramCells::cellsOfPixel(p, cells, pixels);
                ASSERT_LE(run.first, run.last);
                if (cells >= pixels) {
                    ASSERT_EQ(run.first, next) << p;
                    next = run.last + 1;
                } else {
                    ASSERT_EQ(run.first, run.last);
                    ASSERT_TRUE(run.first == next - 1 || run.first == next) << p;
                    if (run.first == next) {
                        if (next > 0) {
                            widest = std::max(widest, width);
                            narrowest = std::min(narrowest, width);
                        }
                        width = 0;
                        next = run.first + 1;
                    }
                    ++width;
                }
            }
            EXPECT_EQ(next, cells) << "the last cell is shown in the last pixel";
            if (cells < pixels) {
                widest = std::max(widest, width);
                narrowest = std::min(narrowest, width);
                EXPECT_LE(widest, pixels / cells + 1);
                EXPECT_GE(narrowest, pixels / cells);
            }
        }
}

// 10 rows × 512 bins in 440 × 300: a plot area of 400 × 270, rows 40 pixels wide, about two bins to a
// pixel row; the ruler's points are the cells' centres.
TEST(SpectrogramCells, FewRowsManyBins)
{
    const ViewLevel level = ViewLevel::spanning(0, 9, 0, 511);
    const SpectrogramCells cells(level, 440, 300);
    using Run = SpectrogramCells::Run;
    EXPECT_EQ(cells.pictureWidth(), 400);
    EXPECT_EQ(cells.pictureHeight(), 270);
    EXPECT_EQ(cells.cellWidth(), 40.0);
    EXPECT_DOUBLE_EQ(cells.cellHeight(), 270.0 / 512);
    EXPECT_EQ(cells.wholeRowWidth(), 40);
    EXPECT_EQ(cells.rowsAt(39), (Run{0, 0}));
    EXPECT_EQ(cells.rowsAt(40), (Run{1, 1}));
    EXPECT_EQ(cells.rowsAt(399), (Run{9, 9}));
    // Bin centres 0.264, 0.791, 1.318 ...; the last two, 269.21 and 269.74, in the last pixel row.
    EXPECT_EQ(cells.binsAt(0), (Run{0, 1}));
    EXPECT_EQ(cells.binsAt(269), (Run{510, 511}));
    EXPECT_EQ(cells.point(0, 0), (ScreenPoint{20, 0}));
    EXPECT_EQ(cells.point(3, 2), (ScreenPoint{140, 1}));
    EXPECT_EQ(cells.point(9, 511), (ScreenPoint{380, 269}));
    EXPECT_FALSE(cells.cellsAt(400, 10).has_value());
    EXPECT_FALSE(cells.cellsAt(10, 270).has_value());
    EXPECT_FALSE(cells.cellsAt(-1, 10).has_value());
    ASSERT_TRUE(cells.cellsAt(399, 269).has_value());
    EXPECT_EQ(cells.cellsAt(399, 269)->first, (Run{9, 9}));
}

// 1600 rows in the same area: each pixel column shows 4 rows, and no row width is whole.
TEST(SpectrogramCells, DenseDataGivesBlocks)
{
    const ViewLevel level = ViewLevel::spanning(0, 1599, 0, 511);
    const SpectrogramCells cells(level, 440, 300);
    EXPECT_EQ(cells.cellWidth(), 0.25);
    EXPECT_EQ(cells.wholeRowWidth(), 0);
    EXPECT_EQ(cells.rowsAt(0), (SpectrogramCells::Run{0, 3}));
    EXPECT_EQ(cells.rowsAt(1), (SpectrogramCells::Run{4, 7}));
    EXPECT_EQ(cells.rowsAt(399), (SpectrogramCells::Run{1596, 1599}));
    EXPECT_EQ(cells.point(7, 5), (ScreenPoint{1, 2}));
}

TEST(SpectrogramCells, OnePixelPerCellIsNoBlock)
{
    const ViewLevel level = ViewLevel::spanning(5, 404, 10, 279);
    const SpectrogramCells cells(level, 440, 300);
    EXPECT_EQ(cells.cellWidth(), 1.0);
    EXPECT_EQ(cells.cellHeight(), 1.0);
    EXPECT_EQ(cells.wholeRowWidth(), 1);
    EXPECT_EQ(cells.rowsAt(0), (SpectrogramCells::Run{5, 5}));
    EXPECT_EQ(cells.rowsAt(399), (SpectrogramCells::Run{404, 404}));
    EXPECT_EQ(cells.binsAt(269), (SpectrogramCells::Run{279, 279}));
    EXPECT_EQ(cells.point(5, 10), (ScreenPoint{0, 0}));
    EXPECT_EQ(cells.point(404, 279), (ScreenPoint{399, 269}));
}

// With the bins upwards the first bin is in the bottom pixel row and the last in the top one; each pixel
// row shows the bins turned over, offset k as 511 - k.
TEST(SpectrogramCells, BinsUpwardsTurnTheRunsOver)
{
    const ViewLevel level = ViewLevel::spanning(0, 9, 100, 611);
    const SpectrogramCells down(level, 440, 300);
    const SpectrogramCells up(level, 440, 300, true);
    EXPECT_EQ(up.binsAt(269), (SpectrogramCells::Run{100, 101}));
    EXPECT_EQ(up.binsAt(0), (SpectrogramCells::Run{610, 611}));
    for (int y = 0; y < 270; ++y) {
        const SpectrogramCells::Run d = down.binsAt(y);
        const SpectrogramCells::Run u = up.binsAt(y);
        EXPECT_EQ(u.first - 100, 511 - (d.last - 100)) << y;
        EXPECT_EQ(u.last - 100, 511 - (d.first - 100)) << y;
    }
    EXPECT_EQ(up.point(3, 100).y, 269);
    EXPECT_EQ(up.point(3, 611).y, 0);
}

TEST(SpectrogramCells, ColourIndices)
{
    // A flat matrix: zmax - zmin = 1 after the Z-range rule, every corner sum is 4 zmin.
    EXPECT_EQ(SpectrogramCells::cellColour(4 * 7.0, 7, 8), 0);
    EXPECT_EQ(SpectrogramCells::blockColour(7.0, 7, 8), 0);
    // Corners 0, 0, 10, 10 in 0 ... 10: the mean 5 gives 23.5, truncated.
    EXPECT_EQ(SpectrogramCells::cellColour(20, 0, 10), 23);
    EXPECT_EQ(SpectrogramCells::cellColour(40, 0, 10), 47);
    EXPECT_EQ(SpectrogramCells::blockColour(5, 0, 10), 23);
    EXPECT_EQ(SpectrogramCells::blockColour(10, 0, 10), 47);
    // Outside the range (a fixed Z range): clamped.
    EXPECT_EQ(SpectrogramCells::cellColour(400, 0, 10), 47);
    EXPECT_EQ(SpectrogramCells::cellColour(-40, 0, 10), 0);
    EXPECT_EQ(SpectrogramCells::blockColour(1e30, 0, 10), 47);
    EXPECT_EQ(SpectrogramCells::blockColour(-1e30, 0, 10), 0);
    EXPECT_EQ(SpectrogramCells::blockColour(NAN, 0, 10), 0);
}

// Every value of the range falls on a palette entry, rising with the value.
TEST(SpectrogramCells, ColoursRiseThroughThePalette)
{
    int previous = 0;
    for (int k = 0; k <= 1000; ++k) {
        const double v = -3 + 6 * k / 1000.0;
        const int index = SpectrogramCells::blockColour(v, -3, 3);
        EXPECT_GE(index, previous);
        EXPECT_LE(index, 47);
        previous = index;
    }
    EXPECT_EQ(previous, 47);
}

// The four-at-a-time maxima agree with a plain loop for every length (tails included) and ignore a
// NaN in a later row, so one bad value does not blank a column of the picture.
TEST(SpectrogramCells, ColumnMaximaAgreeWithPlainLoop)
{
    for (std::size_t bins : {1u, 3u, 4u, 7u, 8u, 513u}) {
        std::vector<std::vector<float>> rows(5, std::vector<float>(bins));
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t j = 0; j < bins; ++j)
                rows[r][j] = float(std::sin(double(r * 131 + j * 17)));
        rows[3][bins - 1] = NAN;
        ColumnMaxima column(bins);
        column.start(rows[0].data());
        for (std::size_t r = 1; r < rows.size(); ++r)
            column.add(rows[r].data());
        for (std::size_t j = 0; j < bins; ++j) {
            float expected = rows[0][j];
            for (std::size_t r = 1; r < rows.size(); ++r)
                if (!std::isnan(rows[r][j]))
                    expected = std::max(expected, rows[r][j]);
            EXPECT_EQ(column.values()[j], expected) << bins << " bins, bin " << j;
        }
    }
}
