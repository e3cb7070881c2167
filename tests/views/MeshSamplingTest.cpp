#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fileio/PictureMatrix.h"
#include "views/FFTSignal.h"
#include "views/MeshSampling.h"

namespace {
FFTSignal matrixOf(uint32_t rows, uint32_t bins, float (*value)(uint32_t r, uint32_t j))
{
    PictureMatrix picture{rows, bins, {}};
    for (uint32_t r = 0; r < rows; ++r)
        for (uint32_t j = 0; j < bins; ++j)
            picture.values.push_back(value(r, j));
    FFTSignal data;
    EXPECT_EQ(data.createPicture(picture), FFTSignal::Result::Done);
    return data;
}
}  // namespace

TEST(MeshSampling, UpToTheLimitEveryRowAndBinIsDrawnWithItsOwnValue)
{
    const FFTSignal data = matrixOf(30, 20, [](uint32_t r, uint32_t j) { return float(r * 100 + j); });
    const MeshSampling grid(data, data.level(), 30);
    ASSERT_EQ(grid.rows(), 30);
    ASSERT_EQ(grid.bins(), 20);
    for (int k = 0; k < 30; ++k)
        for (int m = 0; m < 20; ++m) {
            EXPECT_EQ(grid.row(k), data.level().firstRow + k);
            EXPECT_EQ(grid.value(k, m), data.value(uint32_t(grid.row(k)), uint32_t(grid.bin(m))));
        }
}

TEST(MeshSampling, ALongMatrixIsDrawnAtTheLimitWithBothEndsAndEveryPeak)
{
    // One peak in a row and bin the sampling does not draw; every other value is the row's number.
    FFTSignal data = matrixOf(20000, 1000, [](uint32_t r, uint32_t j) {
        return r == 12345 && j == 777 ? 1e6f : float(r % 7);
    });
    const MeshSampling grid(data, data.level(), 400);
    ASSERT_EQ(grid.rows(), 400);
    ASSERT_EQ(grid.bins(), 400);
    EXPECT_EQ(grid.row(0), data.level().firstRow);
    EXPECT_EQ(grid.row(399), data.level().lastRow);
    EXPECT_EQ(grid.bin(399), data.level().lastBin);
    int peaks = 0;
    for (int k = 0; k < grid.rows(); ++k) {
        EXPECT_LT(grid.row(k - (k > 0)), grid.row(k) + (k == 0));
        for (int m = 0; m < grid.bins(); ++m)
            peaks += grid.value(k, m) == 1e6f;
    }
    EXPECT_EQ(peaks, 1);
}

TEST(MeshSampling, ANumberThatIsNoNumberNeverBecomesTheCellsMaximum)
{
    const FFTSignal data = matrixOf(1000, 8, [](uint32_t r, uint32_t) {
        return r % 2 ? std::numeric_limits<float>::quiet_NaN() : float(r);
    });
    const MeshSampling grid(data, data.level(), 10);
    for (int k = 0; k + 1 < grid.rows(); ++k)
        EXPECT_FALSE(std::isnan(grid.value(k, 0))) << k;
}
