#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "views/AxisLayout.h"

namespace {
std::vector<int> positions(const std::vector<AxisTick>& ticks)
{
    std::vector<int> result;
    for (const AxisTick& tick : ticks)
        result.push_back(tick.position);
    return result;
}

std::vector<std::string> labels(const std::vector<AxisTick>& ticks)
{
    std::vector<std::string> result;
    for (const AxisTick& tick : ticks)
        result.push_back(tick.label);
    return result;
}
}  // namespace

TEST(AxisLayout, XRangeOf250TicksEvery30)
{
    // W = 500 over 0 ... 250: sx = 2, so tick t lies at 2 t.
    const AxisLayout layout = AxisLayout::of(0, 250, 0, 1, 500, false);
    EXPECT_EQ(positions(layout.xTicks), (std::vector<int>{0, 60, 120, 180, 240, 300, 360, 420, 480}));
    EXPECT_EQ(labels(layout.xTicks), (std::vector<std::string>{"0", "30", "60", "90", "120", "150", "180", "210", "240"}));
    EXPECT_EQ(layout.xLabelShift, 10);
}

TEST(AxisLayout, UnitXRangeTicksEveryTenth)
{
    // W = 400: tick t at 400 t. Ten additions of 0.1 give 0.9999999999999999, still below the end,
    // so an eleventh tick "1" lands at 399.
    const AxisLayout layout = AxisLayout::of(0, 1, 0, 1, 400, false);
    ASSERT_EQ(layout.xTicks.size(), 11u);
    EXPECT_EQ(layout.xTicks[1].position, 40);
    EXPECT_EQ(layout.xTicks[1].label, "0.1");
    EXPECT_EQ(layout.xTicks[9].label, "0.9");
    EXPECT_EQ(layout.xTicks[10].label, "1");
    EXPECT_EQ(layout.xTicks[10].position, 399);
}

TEST(AxisLayout, SymmetricYRangeHasAZeroLabelAndAZeroLine)
{
    // -1 ... 1: step 0.2 from -1; sy = 500; the sixth tick sums to about -5.6e-17 and reads "0".
    const AxisLayout layout = AxisLayout::of(0, 1, -1, 1, 500, false);
    EXPECT_EQ(positions(layout.yTicks), (std::vector<int>{1000, 900, 800, 700, 600, 500, 400, 300, 200, 100}));
    EXPECT_EQ(labels(layout.yTicks),
              (std::vector<std::string>{"-1", "-0.8", "-0.6", "-0.4", "-0.2", "0", "0.2", "0.4", "0.6", "0.8"}));
    ASSERT_TRUE(layout.zeroLineY);
    EXPECT_EQ(*layout.zeroLineY, 500);
}

TEST(AxisLayout, NoZeroLineWhenTheRangeDoesNotCrossZero)
{
    EXPECT_FALSE(AxisLayout::of(0, 1, 0, 2, 500, false).zeroLineY);
    EXPECT_FALSE(AxisLayout::of(0, 1, 2, 4, 500, false).zeroLineY);
}

TEST(AxisLayout, LogarithmicXDoublesTheStepAfterTheSecondTick)
{
    // 0 ... 1000 over W = 500: TickStep 100, a tenth is 10 -> 100 with m = 10, so the step is 10.
    // Ticks 0, 10, 20, 40, ... 640 at linear x = t / 2, mapped by 500 log2(x + 1) / log2(502).
    const AxisLayout layout = AxisLayout::of(0, 1000, 0, 1, 500, true);
    EXPECT_EQ(labels(layout.xTicks), (std::vector<std::string>{"0", "10", "20", "40", "80", "160", "320", "640"}));
    EXPECT_EQ(positions(layout.xTicks), (std::vector<int>{0, 144, 192, 244, 298, 353, 408, 464}));
    EXPECT_EQ(layout.xLabelShift, 5);
}

// A zero tick reads "0" on every axis, whether it is a negative zero or a sum that only rounding keeps
// from zero; an axis that lives near zero keeps its small ticks.
TEST(AxisLayout, AZeroTickReadsZeroNeverMinusZero)
{
    // -1 ... 10 starts at ceil(-0.5) * 2, a negative zero.
    const AxisLayout overlay = AxisLayout::of(-1, 10, -1, 10, 550, false);
    EXPECT_EQ(labels(overlay.xTicks).front(), "0");
    EXPECT_EQ(labels(overlay.yTicks).front(), "0");
    for (const double scale : {1e-9, 1e-3, 1.0, 7.0, 1e6}) {
        const AxisLayout layout = AxisLayout::of(-0.3 * scale, 0.7 * scale, -0.7 * scale, 0.3 * scale, 500, false);
        for (const auto* ticks : {&layout.xTicks, &layout.yTicks}) {
            const std::vector<std::string> texts = labels(*ticks);
            EXPECT_NE(std::find(texts.begin(), texts.end(), "0"), texts.end()) << scale;
            for (const std::string& text : texts) {
                EXPECT_NE(text, "-0") << scale;
                const double value = std::strtod(text.c_str(), nullptr);
                EXPECT_TRUE(value == 0 || std::fabs(value) > scale * 1e-3) << scale << ": rounding residue " << text;
            }
        }
    }
    EXPECT_EQ(labels(AxisLayout::of(0, 1, 1e-7, 3e-7, 500, false).yTicks).front(), "1E-07");
}

// Ticks close together far from zero take the digits their step needs: two hours into a recording
// every label read "7200".
TEST(AxisLayout, LabelsOfNearTicksFarFromZeroTellThemApart)
{
    const AxisLayout layout = AxisLayout::of(7199.962, 7200.0, 7199.962, 7200.0, 800, false);
    for (const auto* ticks : {&layout.xTicks, &layout.yTicks}) {
        const std::vector<std::string> texts = labels(*ticks);
        ASSERT_GE(texts.size(), 5u);
        EXPECT_EQ(texts.front(), "7199.964") << "steps of 0.004";
        EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size()) << texts[1];
    }
    // Ticks far apart keep five digits.
    EXPECT_EQ(labels(AxisLayout::of(0, 250, 0, 1, 500, false).xTicks)[1], "30");
    for (const double base : {1e-3, 1.0, 1e3, 1e6, 1e9}) {
        const std::vector<std::string> texts = labels(AxisLayout::of(base, base * 1.00001, 0, 1, 800, false).xTicks);
        EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size()) << base;
    }
}
