#include <gtest/gtest.h>

#include "views/PixelMap.h"

TEST(PixelMap, WithoutAxesSamplesSpreadOverTheWidth)
{
    // Wd = 500, n = 1001 from index 2000: x = k * 500 / 1000.
    const PixelMap map(500, 300, false, false, 2000, 1001, -1, 1);
    EXPECT_EQ(map.sampleToX(2000), 0);
    EXPECT_EQ(map.sampleToX(2401), 200);  // 200.5
    EXPECT_EQ(map.sampleToX(3000), 500);
    // Back: floor(2000 + x * 2 + 0.5).
    EXPECT_EQ(map.xToSample(0), 2000);
    EXPECT_EQ(map.xToSample(200), 2400);
    EXPECT_EQ(map.xToSample(500), 3000);
}

TEST(PixelMap, WithAxesThePlotStartsATenthIn)
{
    // Wd = 800, f = 1.1, n = 1001: x = k * 727.27 / 1000 + 80.
    const PixelMap map(800, 400, true, false, 0, 1001, -1, 1);
    EXPECT_EQ(map.sampleToX(0), 80);
    EXPECT_EQ(map.sampleToX(500), 443);  // 443.64
    EXPECT_EQ(map.sampleToX(1000), 807); // 807.27
    // Index = floor((x - 80) * 1000 / 727.27 + 0.5) = floor((x - 80) * 1.375 + 0.5).
    EXPECT_EQ(map.xToSample(443), 499);  // 499.125
    EXPECT_EQ(map.xToSample(500), 577);  // 577.5 + 0.5
    EXPECT_EQ(map.xToSample(10), 0) << "left of the plot counts as its left edge";
}

TEST(PixelMap, ValueToYUsesTheDeviceHeight)
{
    // Hd = 400: without axes 400 - (v + 1) * 200; with axes divided by 1.1.
    const PixelMap plain(500, 400, false, false, 0, 100, -1, 1);
    EXPECT_EQ(plain.valueToY(0), 200);
    EXPECT_EQ(plain.valueToY(0.5f), 100);
    const PixelMap axes(500, 400, true, false, 0, 100, -1, 1);
    EXPECT_EQ(axes.valueToY(0), 181);  // 363.64 - 181.82 = 181.82
    EXPECT_EQ(axes.valueToY(1), 0);
}

TEST(PixelMap, LogarithmicXMapsThePlotPositionAndBack)
{
    // Wd = 500 without axes, n = 501: x' = k; x = trunc(500 log2(k + 1) / log2(502)).
    const PixelMap map(500, 300, false, true, 0, 501, -1, 1);
    EXPECT_EQ(map.sampleToX(0), 0);
    EXPECT_EQ(map.sampleToX(1), 55);    // 55.73
    EXPECT_EQ(map.sampleToX(100), 371); // 371.07
    // Back: x = trunc(2^(g * log2(502) / 500)); 2^(371 * 8.97154 / 500) = 100.86 -> 100.
    EXPECT_EQ(map.xToSample(371), 100);
    // 2^(55 * 8.97154 / 500) = 1.983 -> 1.
    EXPECT_EQ(map.xToSample(55), 1);
}

TEST(PixelMap, PlotRectangleInDevicePixels)
{
    // Wd = 800, Hd = 400 with axes: window 880 x 1100, viewport from x = 80.
    const PixelMap map(800, 400, true, false, 0, 100, -1, 1);
    EXPECT_EQ(map.plotLeft(), 80);
    EXPECT_EQ(map.plotRight(), 807);  // 80 + 800 * 800 / 880 = 807.27
    EXPECT_EQ(map.plotBottom(), 363); // 1000 * 400 / 1100 = 363.6
}

TEST(PixelMap, ZoomRangeOrdersAndClampsTheBandEnds)
{
    const PixelMap map(500, 300, false, false, 2000, 1001, -1, 1);
    EXPECT_EQ(map.zoomRange(300, 100), (std::pair<uint32_t, uint32_t>{2200, 2600}));
    EXPECT_EQ(map.zoomRange(-5, 900), (std::pair<uint32_t, uint32_t>{2000, 3000}));
}

TEST(PixelMap, EditRangeIsProportionalToThePlotWidth)
{
    // Without axes the plot spans 0 ... 500; n = 1001: index = 2000 + trunc(1000 / 500 * x).
    const PixelMap map(500, 300, false, false, 2000, 1001, -1, 1);
    EXPECT_EQ(map.editRange(250, 100), (std::pair<uint32_t, uint32_t>{2200, 2500}));
    EXPECT_EQ(map.editRange(0, 700), (std::pair<uint32_t, uint32_t>{2000, 3000}));
    // With axes: plot 80 ... 807, n = 1001: trunc(1000 / 727 * (x - 80)); x = 443 -> 499.31.
    const PixelMap axes(800, 400, true, false, 0, 1001, -1, 1);
    EXPECT_EQ(axes.editRange(443, 80), (std::pair<uint32_t, uint32_t>{0, 499}));
}

TEST(PixelMap, PasteOffsetOfTheCursor)
{
    // trunc((x - 80) * 1000 / 727): x = 443 -> 499.31; left of the plot there is no sample.
    const PixelMap axes(800, 400, true, false, 0, 1001, -1, 1);
    EXPECT_EQ(axes.pasteOffset(443), 499u);
    EXPECT_EQ(axes.pasteOffset(80), 0u);
    EXPECT_FALSE(axes.pasteOffset(79));
}
