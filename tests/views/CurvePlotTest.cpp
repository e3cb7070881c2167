#include <gtest/gtest.h>

#include <vector>

#include "views/CurvePlot.h"

namespace {
// All columns, each from a direct scan of its samples.
std::vector<CurveColumn> allColumns(const CurvePlot& plot, const std::vector<float>& samples)
{
    const auto scan = [&](uint32_t first, uint32_t end) { return MinMaxSummary::scan(samples.data() + first, end - first); };
    return plot.columns(scan, 0, plot.lastColumn());
}
}  // namespace

TEST(CurvePlot, ValidityNeedsRateValidFlagAndFourSamples)
{
    EXPECT_FALSE(CurvePlot::drawable(8000, false, 3));
    EXPECT_TRUE(CurvePlot::drawable(8000, false, 4));
    EXPECT_FALSE(CurvePlot::drawable(0, false, 100));
    EXPECT_FALSE(CurvePlot::drawable(8000, true, 100));
}

TEST(CurvePlot, ConstantSignalLiesInTheMiddle)
{
    // All samples 3 give the Y range 2 ... 4: 1000 - (3 - 2) * 1000 / 2 = 500.
    const CurvePlot plot(500, 100, 2, 4, false);
    EXPECT_EQ(plot.valueToY(3), 500);
    EXPECT_EQ(plot.valueToY(4), 0);
    EXPECT_EQ(plot.valueToY(2), 1000);
}

TEST(CurvePlot, ValueToYTruncates)
{
    // Range -1 ... 1: v = 0.25 gives 1000 - 1.25 * 500 = 375; v = 0.001 gives 499.5 -> 499;
    // v = -0.999 gives 999.5 -> 999.
    const CurvePlot plot(500, 100, -1, 1, false);
    EXPECT_EQ(plot.valueToY(0.25f), 375);
    EXPECT_EQ(plot.valueToY(0.001f), 499);
    EXPECT_EQ(plot.valueToY(-0.999f), 999);
    EXPECT_EQ(plot.valueToY(0), 500);
}

TEST(CurvePlot, SampleToXSpreadsTheVisibleSamplesOverTheWidth)
{
    // W = 500, n = 1000: pps = 500 / 999.
    const CurvePlot plot(500, 1000, -1, 1, false);
    EXPECT_EQ(plot.sampleToX(0), 0);
    EXPECT_EQ(plot.sampleToX(1), 0);    // 0.5005
    EXPECT_EQ(plot.sampleToX(2), 1);    // 1.001
    EXPECT_EQ(plot.sampleToX(500), 250); // 250.25
    EXPECT_EQ(plot.sampleToX(999), 500);
}

TEST(CurvePlot, LogarithmicXFollowsLog2OfTheLinearPosition)
{
    // W = 500, n = 501, so the linear x equals k; log2(502) = 8.97154.
    const CurvePlot plot(500, 501, -1, 1, true);
    EXPECT_EQ(plot.sampleToX(0), 0);
    EXPECT_EQ(plot.sampleToX(1), 55);   // 500 * 1 / 8.97154 = 55.73
    EXPECT_EQ(plot.sampleToX(100), 371); // 500 * 6.65821 / 8.97154 = 371.07
    EXPECT_EQ(plot.sampleToX(250), 444); // log2(251) = log2(502) - 1: 500 - 55.73 = 444.27
    EXPECT_EQ(plot.sampleToX(500), 499); // 500 * 8.96867 / 8.97154 = 499.84
}

TEST(CurvePlot, ThreeSamplesPerColumnStillDrawAPolyline)
{
    const CurvePlot plot(500, 1500, -1, 1, false);
    EXPECT_FALSE(plot.drawsColumns());
    std::vector<float> samples(1500, 0.5f);
    const auto points = plot.polyline(samples.data(), 0, 1500);
    ASSERT_EQ(points.size(), 1500u);
    EXPECT_EQ(points.front().x, 0);
    EXPECT_EQ(points.back().x, 500);
    EXPECT_EQ(points.back().y, 250);
}

TEST(CurvePlot, MoreThanThreeSamplesPerColumnDrawW1Columns)
{
    const CurvePlot plot(500, 1501, -1, 1, false);
    EXPECT_TRUE(plot.drawsColumns());
    std::vector<float> samples(1501, 0);
    const auto columns = allColumns(plot, samples);
    ASSERT_EQ(columns.size(), 499u);
    EXPECT_EQ(columns.front().x, 0);
    EXPECT_EQ(columns.back().x, 498);
}

TEST(CurvePlot, LogarithmicXNeverUsesColumns)
{
    EXPECT_FALSE(CurvePlot(500, 100000, -1, 1, true).drawsColumns());
}

TEST(CurvePlot, ColumnsTakeMaximumAndMinimumOfTheirSamples)
{
    // W = 3, n = 10: spc = 4.5; column 0 holds samples 0 ... 4, column 1 samples 4 ... 8.
    // Range 0 ... 9: y(v) = 1000 - v * 1000 / 9.
    std::vector<float> samples{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const CurvePlot plot(3, 10, 0, 9, false);
    const auto columns = allColumns(plot, samples);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].x, 0);
    EXPECT_EQ(columns[0].top, 555);     // v = 4: 555.56
    EXPECT_EQ(columns[0].bottom, 1000); // v = 0
    EXPECT_EQ(columns[1].x, 1);
    EXPECT_EQ(columns[1].top, 111);     // v = 8: 111.11
    EXPECT_EQ(columns[1].bottom, 555);  // v = 4
}

TEST(CurvePlot, ColumnsFindAnIsolatedPeak)
{
    // W = 100, n = 10000: spc = 9999 / 99 = 101; sample 5050 falls into column 50 only.
    std::vector<float> samples(10000, 0);
    samples[5050] = 1;
    const CurvePlot plot(100, 10000, -1, 1, false);
    const auto columns = allColumns(plot, samples);
    ASSERT_EQ(columns.size(), 99u);
    for (const auto& column : columns) {
        EXPECT_EQ(column.bottom, 500) << column.x;
        EXPECT_EQ(column.top, column.x == 50 ? 0 : 500) << column.x;
    }
}

TEST(CurvePlot, FillingLogShowsOnlyItsFilledPart)
{
    // x = W * filled / MaxLength - 1: half of 500 columns ends at 249; a third of 300 at 99.
    EXPECT_EQ(CurvePlot::filledRight(500, 50, 100), 249);
    EXPECT_EQ(CurvePlot::filledRight(300, 33, 99), 99);
    EXPECT_EQ(CurvePlot::filledRight(500, 100, 100), 499);
    EXPECT_EQ(CurvePlot::filledRight(500, 0, 100), -1);
}
