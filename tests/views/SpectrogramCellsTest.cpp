#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "views/ColumnMaxima.h"
#include "views/SpectrogramCells.h"
#include "views/ViewLevel.h"

TEST(SpectrogramCells, CellSizeRule)
{
    EXPECT_EQ(SpectrogramCells::cellSize(40.0), 40.0);
    EXPECT_EQ(SpectrogramCells::cellSize(1.99), 1.0);
    EXPECT_EQ(SpectrogramCells::cellSize(1.0), 1.0);
    EXPECT_EQ(SpectrogramCells::cellSize(0.99), 0.5);
    EXPECT_EQ(SpectrogramCells::cellSize(0.5), 0.5);
    EXPECT_EQ(SpectrogramCells::cellSize(0.49), 1.0 / 3);
    EXPECT_EQ(SpectrogramCells::cellSize(0.25), 0.25);
    EXPECT_EQ(SpectrogramCells::cellSize(0.0), 0.01);
    EXPECT_EQ(SpectrogramCells::cellSize(-3.0), 0.01);
    EXPECT_EQ(SpectrogramCells::cellSize(NAN), 0.01);
}

// Every size below one pixel is a unit fraction no larger than the space it had.
TEST(SpectrogramCells, FractionsAreUnitFractionsThatFit)
{
    for (double x = 0.001; x < 1; x += 0.0037) {
        const double size = SpectrogramCells::cellSize(x);
        EXPECT_LE(size, x) << x;
        const double k = 1 / size;
        EXPECT_NEAR(k, std::round(k), 1e-9) << x;
        EXPECT_GT(1 / (k - 1), x) << x;
    }
}

// 10 rows × 512 bins in 440 × 300: cells 40 wide, two bins to a pixel; 40-pixel rectangles two pixels
// high whose tops advance one pixel every two bins.
TEST(SpectrogramCells, FewRowsManyBins)
{
    const ViewLevel level = ViewLevel::spanning(0, 9, 0, 511);
    const SpectrogramCells cells(level, 440, 300);
    EXPECT_EQ(cells.cellWidth(), 40.0);
    EXPECT_EQ(cells.cellHeight(), 0.5);
    EXPECT_TRUE(cells.rectangles());
    EXPECT_EQ(cells.wholeWidth(), 40);
    EXPECT_EQ(cells.wholeHeight(), 1);
    EXPECT_EQ(cells.point(0, 0), (ScreenPoint{0, 0}));
    EXPECT_EQ(cells.point(0, 1), (ScreenPoint{0, 0}));
    EXPECT_EQ(cells.point(3, 2), (ScreenPoint{120, 1}));
    EXPECT_EQ(cells.point(9, 511), (ScreenPoint{360, 255}));
    EXPECT_EQ(cells.pictureWidth(), 360.0);
    EXPECT_EQ(cells.pictureHeight(), 255.5);
}

// 1600 rows in the same area: each pixel is a block of 4 rows × 2 bins.
TEST(SpectrogramCells, DenseDataGivesBlocks)
{
    const ViewLevel level = ViewLevel::spanning(0, 1599, 0, 511);
    const SpectrogramCells cells(level, 440, 300);
    EXPECT_EQ(cells.cellWidth(), 0.25);
    EXPECT_EQ(cells.cellHeight(), 0.5);
    EXPECT_FALSE(cells.rectangles());
    EXPECT_EQ(cells.rowsPerPixel(), 4);
    EXPECT_EQ(cells.binsPerPixel(), 2);
    EXPECT_EQ(cells.point(7, 5), (ScreenPoint{1, 2}));
}

TEST(SpectrogramCells, OnePixelPerCellIsNoBlock)
{
    const ViewLevel level = ViewLevel::spanning(5, 404, 10, 279);
    const SpectrogramCells cells(level, 440, 300);
    EXPECT_EQ(cells.cellWidth(), 1.0);
    EXPECT_EQ(cells.cellHeight(), 1.0);
    EXPECT_FALSE(cells.rectangles());
    EXPECT_EQ(cells.rowsPerPixel(), 1);
    EXPECT_EQ(cells.binsPerPixel(), 1);
    EXPECT_EQ(cells.point(5, 10), (ScreenPoint{0, 0}));
    EXPECT_EQ(cells.point(404, 279), (ScreenPoint{399, 269}));
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
