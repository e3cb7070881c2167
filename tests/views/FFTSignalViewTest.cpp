#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

#include "FFTTestSupport.h"
#include "dsp/TapWindow.h"
#include "signal/FFTRows.h"
#include "views/FFTSignal.h"

namespace {

// Parent values entry × 1000 + bin, so every cell of a log tells where it came from.
std::vector<float> entry(uint32_t bins, int number)
{
    std::vector<float> x(bins);
    for (uint32_t j = 0; j < bins; ++j)
        x[j] = float(number * 1000 + int(j));
    return x;
}

// A log of `rows` × `bins` filled with entries 1 ... rows, the newest last.
FFTSignal filledLog(uint32_t rows, uint32_t bins)
{
    FFTSignal log;
    EXPECT_EQ(log.createLog(*parentOf(entry(bins, 0)), rows), FFTSignal::Result::Done);
    for (uint32_t k = 1; k <= rows; ++k)
        EXPECT_TRUE(log.appendLog(*parentOf(entry(bins, int(k)))));
    return log;
}

}  // namespace

TEST(SignalLog, StartsWithTheParentAsTheLastOfZeroRows)
{
    const auto parent = parentOf(entry(5, 7), 10);
    FFTSignal log;
    ASSERT_EQ(log.createLog(*parent, 4), FFTSignal::Result::Done);
    EXPECT_EQ(log.rows(), 4u);
    EXPECT_EQ(log.bins(), 5u);
    EXPECT_EQ(log.value(3, 2), 7002.0f);
    EXPECT_EQ(log.value(0, 2), 0.0f);
    EXPECT_EQ(log.rowStep, 1.0);
    EXPECT_EQ(log.rowOrigin, 0.0);
    EXPECT_EQ(log.yOrigin, 0.0);
    EXPECT_DOUBLE_EQ(log.binStep, 0.1);
    EXPECT_DOUBLE_EQ(log.binY(4), 0.4);
    EXPECT_EQ(log.azimuth, 15);
    EXPECT_EQ(log.elevation, 5);
    EXPECT_FALSE(log.fillSegments);
    EXPECT_EQ(log.level().zMax, 7004.0f);
    EXPECT_EQ(log.level().zMin, 0.0f);
}

// A log of 100 fed 150 times: the row origin counts the 50 rows pushed out.
TEST(SignalLog, RowOriginGrowsOnceEntriesExceedTheRows)
{
    FFTSignal log;
    ASSERT_EQ(log.createLog(*parentOf(entry(4, 0)), 100), FFTSignal::Result::Done);
    for (int k = 1; k <= 150; ++k) {
        ASSERT_TRUE(log.appendLog(*parentOf(entry(4, k))));
        EXPECT_EQ(log.rowOrigin, k > 100 ? double(k - 100) : 0.0) << k;
    }
    EXPECT_EQ(log.logEntries, 150u);
    EXPECT_EQ(log.shiftDirection, +1);
    EXPECT_EQ(log.value(99, 3), 150003.0f);
    EXPECT_EQ(log.value(0, 0), 51000.0f);
    EXPECT_EQ(log.level().zMax, 150003.0f);
    EXPECT_EQ(log.level().zMin, 51000.0f);
}

TEST(SignalLog, AnotherVisibleCountIsIgnored)
{
    FFTSignal log;
    ASSERT_EQ(log.createLog(*parentOf(entry(4, 1)), 3), FFTSignal::Result::Done);
    EXPECT_FALSE(log.appendLog(*parentOf(entry(5, 2))));
    EXPECT_EQ(log.logEntries, 0u);
    EXPECT_EQ(log.value(2, 0), 1000.0f);
    EXPECT_EQ(log.shiftDirection, 0);
}

TEST(ZRange, FlatLevelRaisesTheMaximumAndFixedRangeStays)
{
    FFTSignal log;
    ASSERT_EQ(log.createLog(*parentOf(std::vector<float>(6, 0.0f)), 3), FFTSignal::Result::Done);
    EXPECT_EQ(log.level().zMax, 1.0f);
    EXPECT_EQ(log.level().zMin, 0.0f);

    log.fixedZRange = true;
    ASSERT_TRUE(log.appendLog(*parentOf(std::vector<float>(6, 9.0f))));
    EXPECT_EQ(log.level().zMax, 1.0f);
    log.adjustZRange();
    EXPECT_EQ(log.level().zMax, 9.0f);
    EXPECT_EQ(log.level().zMin, 0.0f);
}

// A ruler in a corner gives a rectangle that sticks out; it is moved back inside the level.
TEST(ViewLevels, ZoomAboutACornerRulerMovesInside)
{
    FFTSignal log = filledLog(100, 64);
    log.level().rulerRow = 0;
    log.level().rulerBin = 0;
    ASSERT_TRUE(log.zoomAboutRuler());
    EXPECT_EQ(log.levelIndex(), 1);
    EXPECT_EQ(log.level().firstRow, 0);
    EXPECT_EQ(log.level().lastRow, 49);
    EXPECT_EQ(log.level().rowCount, 50);
    EXPECT_EQ(log.level().firstBin, 0);
    EXPECT_EQ(log.level().lastBin, 31);
    EXPECT_EQ(log.level().rulerRow, 0);
    EXPECT_EQ(log.level().zMax, 50031.0f);
    EXPECT_EQ(log.level().zMin, 1000.0f);

    ASSERT_TRUE(log.zoomOut());
    log.level().rulerRow = 99;
    log.level().rulerBin = 63;
    ASSERT_TRUE(log.zoomAboutRuler());
    EXPECT_EQ(log.level().firstRow, 50);
    EXPECT_EQ(log.level().lastRow, 99);
    EXPECT_EQ(log.level().firstBin, 32);
    EXPECT_EQ(log.level().lastBin, 63);

    ASSERT_TRUE(log.zoomOut());
    log.level().rulerRow = 40;
    log.level().rulerBin = 20;
    ASSERT_TRUE(log.zoomAboutRuler());
    EXPECT_EQ(log.level().firstRow, 15);
    EXPECT_EQ(log.level().lastRow, 64);
    EXPECT_EQ(log.level().firstBin, 4);
    EXPECT_EQ(log.level().lastBin, 35);
}

TEST(ViewLevels, FewerThanThreeRowsOrBinsAreRefused)
{
    FFTSignal four = filledLog(4, 64);
    EXPECT_FALSE(four.zoomAboutRuler());
    EXPECT_EQ(four.levelIndex(), 0);
    FFTSignal six = filledLog(6, 64);
    EXPECT_FALSE(six.zoomAboutRuler());
    FFTSignal eight = filledLog(8, 64);
    ASSERT_TRUE(eight.zoomAboutRuler());
    EXPECT_EQ(eight.level().rowCount, 4);
    FFTSignal narrow = filledLog(64, 5);
    EXPECT_FALSE(narrow.zoomAboutRuler());
}

TEST(ViewLevels, ZoomToRectangleCentresTheRuler)
{
    FFTSignal log = filledLog(20, 20);
    log.level().rulerRow = 12;
    log.level().rulerBin = 3;
    EXPECT_FALSE(log.zoomToRectangle(11, 9));  // two rows
    ASSERT_TRUE(log.zoomToRectangle(4, 9));
    EXPECT_EQ(log.level().firstRow, 4);
    EXPECT_EQ(log.level().lastRow, 12);
    EXPECT_EQ(log.level().firstBin, 3);
    EXPECT_EQ(log.level().lastBin, 9);
    EXPECT_EQ(log.level().rulerRow, 8);
    EXPECT_EQ(log.level().rulerBin, 6);
    EXPECT_FALSE(log.zoomToRectangle(0, 3));  // outside the level
    ASSERT_TRUE(log.zoomOut());
    EXPECT_EQ(log.level().rulerRow, 12);
    EXPECT_FALSE(log.zoomOut());
}

// The stack holds 64 levels: level 0 and 63 zooms; the next one is refused.
TEST(ViewLevels, SixtyFifthLevelIsRefused)
{
    FFTSignal log = filledLog(10, 10);
    for (int k = 1; k < FFTSignal::MaxLevels; ++k) {
        log.level().rulerRow = log.level().lastRow;
        log.level().rulerBin = log.level().lastBin;
        ASSERT_TRUE(log.zoomToRectangle(log.level().firstRow, log.level().firstBin)) << k;
    }
    EXPECT_EQ(log.levelIndex(), 63);
    log.level().rulerRow = log.level().lastRow;
    EXPECT_FALSE(log.zoomToRectangle(log.level().firstRow, log.level().firstBin));
    EXPECT_FALSE(log.zoomAboutRuler());
    EXPECT_EQ(log.levelIndex(), 63);
}

TEST(ViewMoves, MovesStopAtTheMatrixEdge)
{
    FFTSignal log = filledLog(20, 20);
    log.level().rulerRow = 0;
    log.level().rulerBin = 0;
    ASSERT_TRUE(log.zoomAboutRuler());  // rows 0 ... 9, bins 0 ... 9
    EXPECT_FALSE(log.moveRows(-1));
    EXPECT_FALSE(log.moveBins(-1));
    ASSERT_TRUE(log.moveRows(+1));
    EXPECT_EQ(log.level().firstRow, 1);
    EXPECT_EQ(log.level().lastRow, 10);
    EXPECT_EQ(log.level().rulerRow, 1);
    EXPECT_EQ(log.level().zMin, 2000.0f);
    for (int k = 0; k < 9; ++k)
        ASSERT_TRUE(log.moveRows(+1));
    EXPECT_EQ(log.level().lastRow, 19);
    EXPECT_FALSE(log.moveRows(+1));
    ASSERT_TRUE(log.moveBins(+1));
    EXPECT_EQ(log.level().firstBin, 1);
    EXPECT_EQ(log.level().zMin, 11001.0f);
}

TEST(ViewMoves, RotationWrapsTheAzimuthAndLimitsTheElevation)
{
    FFTSignal log = filledLog(4, 4);
    log.azimuth = 35;
    log.rotateAzimuth(+1);
    EXPECT_EQ(log.azimuth, 0);
    log.rotateAzimuth(-1);
    EXPECT_EQ(log.azimuth, 35);
    log.elevation = 16;
    EXPECT_FALSE(log.tiltElevation(+1));
    EXPECT_EQ(log.elevation, 16);
    log.elevation = 1;
    EXPECT_FALSE(log.tiltElevation(-1));
    EXPECT_TRUE(log.tiltElevation(+1));
    EXPECT_EQ(log.elevation, 2);
}

TEST(Rulers, WrapWithinTheLevelAndHandOverTheirLines)
{
    FFTSignal log = filledLog(20, 20);
    log.rowOrigin = 5;
    log.level().rulerRow = 2;
    log.level().rulerBin = 2;
    ASSERT_TRUE(log.zoomToRectangle(6, 7));  // rows 2 ... 6, bins 2 ... 7, ruler (4, 4)
    log.moveRulerRow(+1);
    log.moveRulerRow(+1);
    log.moveRulerRow(+1);
    EXPECT_EQ(log.level().rulerRow, 2);
    log.moveRulerRow(-1);
    EXPECT_EQ(log.level().rulerRow, 6);
    log.moveRulerBin(+1);
    log.moveRulerBin(+1);
    log.moveRulerBin(+1);
    log.moveRulerBin(+1);
    EXPECT_EQ(log.level().rulerBin, 2);

    std::vector<float> x(5);
    ASSERT_EQ(log.xRuler(x.data()), 5u);
    EXPECT_EQ(x, (std::vector<float>{3002, 4002, 5002, 6002, 7002}));
    EXPECT_EQ(log.rowX(log.level().firstRow + 4), 11.0);
    std::vector<float> y(6);
    ASSERT_EQ(log.yRuler(y.data()), 6u);
    EXPECT_EQ(y, (std::vector<float>{7002, 7003, 7004, 7005, 7006, 7007}));
}

// Rows of amplitude 1, 2, 3, 4 sines on 1000 Hz (bin 31, exactly 32 periods per segment), no taper:
// the band 900 ... 1100 Hz covers bins 28 ... 34.
TEST(BandStatistics, SumAverageAndExtremesByHand)
{
    std::vector<float> x;
    for (int a = 1; a <= 4; ++a)
        for (int i = 0; i < 256; ++i)
            x.push_back(float(a * std::sin(2 * std::numbers::pi * 1000 * i / 8000.0)));
    const auto parent = parentOf(x);
    TapWindow tap;
    FFTSignal fft;
    TimeFFTParameters p{256, 4, 5, 5, 31.25, 2000};
    ASSERT_EQ(fft.createTimeFFT(*parent, p, plainMagnitude(), tap), FFTSignal::Result::Done);
    ASSERT_EQ(fft.hop(), 256.0);
    EXPECT_EQ(fft.baseLevel().lastBin, 63);

    const BandStatistics s = fft.bandStatistics(900, 1100);
    EXPECT_NEAR(s.sum, 10.0, 1e-4);
    EXPECT_NEAR(s.average, 10.0 / 28, 1e-5);
    EXPECT_NEAR(s.maximum, 4.0, 1e-5);
    EXPECT_EQ(s.maximumRow, 3);
    EXPECT_EQ(s.maximumBin, 31);
    EXPECT_NEAR(s.minimum, 0.0, 1e-5);
    EXPECT_GE(s.minimumBin, 28);
    EXPECT_LE(s.minimumBin, 34);
    EXPECT_NE(s.minimumBin, 31);

    // Rows of the current level only; bins cut at level 0's last bin.
    fft.level().rulerRow = 3;
    ASSERT_TRUE(fft.zoomToRectangle(1, 40));
    const BandStatistics zoomed = fft.bandStatistics(900, 1e9);
    EXPECT_NEAR(zoomed.sum, 9.0, 1e-4);
    EXPECT_NEAR(zoomed.average, 9.0 / (3 * 36), 1e-5);

    // No cells: nothing summed, extremes where they started.
    const BandStatistics none = fft.bandStatistics(2100, 3000);
    EXPECT_EQ(none.sum, 0.0);
    EXPECT_EQ(none.average, 0.0);
    EXPECT_EQ(none.maximum, 0.0);
    EXPECT_EQ(none.maximumRow, -1);
    EXPECT_EQ(none.minimum, DBL_MAX);
    EXPECT_EQ(none.minimumRow, -1);
}

TEST(BandStatistics, NothingAboveZeroLeavesTheMaximumWithoutPosition)
{
    const auto parent = parentOf(std::vector<float>(1024, 0.0f));
    TapWindow tap;
    FFTSignal fft;
    ASSERT_EQ(fft.createTimeFFT(*parent, TimeFFTParameters{256, 4, 5, 5, 31.25, 4000}, plainMagnitude(), tap),
              FFTSignal::Result::Done);
    const BandStatistics s = fft.bandStatistics(100, 200);
    EXPECT_EQ(s.maximum, 0.0);
    EXPECT_EQ(s.maximumRow, -1);
    EXPECT_EQ(s.maximumBin, -1);
    EXPECT_EQ(s.minimum, 0.0);
    EXPECT_EQ(s.minimumRow, 0);
    EXPECT_EQ(s.minimumBin, 3);  // ceil((100 - 31.25) / 31.25)
}

TEST(FFTMemory, OversizedMatricesAreRefusedBeforeAllocating)
{
    EXPECT_TRUE(FFTRows::fits(1000, 1000));
    EXPECT_FALSE(FFTRows::fits(0xFFFFFFFFull, 0xFFFFFFFFull));
    EXPECT_FALSE(FFTRows::fits(uint64_t(1) << 62, 2));
    // Addressable, but more than any machine of today holds: refused before the system is asked.
    EXPECT_FALSE(FFTRows::fits(0x7FFFFFFFull, 32768));
    EXPECT_THROW(FFTRows(0xFFFFFFFFu, 0xFFFFFFFFu), std::bad_alloc);
    EXPECT_THROW(FFTRows(0x7FFFFFFFu, 32768), std::bad_alloc);
}

// A log too large for memory reports the failure and keeps the record as it was.
TEST(FFTMemory, FailedAllocationLeavesTheRecordUnchanged)
{
    FFTSignal log = filledLog(3, 4);
    const auto wide = parentOf(std::vector<float>(100000, 1.0f));
    EXPECT_EQ(log.createLog(*wide, 0xFFFFFFFFu), FFTSignal::Result::NoMemory);
    EXPECT_EQ(log.rows(), 3u);
    EXPECT_EQ(log.bins(), 4u);
    EXPECT_EQ(log.value(2, 1), 3001.0f);
}
