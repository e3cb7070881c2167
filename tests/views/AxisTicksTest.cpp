#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "views/AxisLayout.h"
#include "views/AxisTicks.h"

TEST(AxisTicks, UnitRangeStepsByATenthFromZero)
{
    // r = 1 is scaled to 100 (d = 100): ceil(1) * 10 / 100 = 0.1.
    EXPECT_DOUBLE_EQ(TickStep(0, 1), 0.1);
    EXPECT_DOUBLE_EQ(FirstTick(0, 0.1), 0);
}

TEST(AxisTicks, RangeOf250StepsBy30)
{
    // r = 250 needs no scaling: ceil(2.5) * 10 = 30.
    EXPECT_DOUBLE_EQ(TickStep(0, 250), 30);
    EXPECT_DOUBLE_EQ(TickStep(250, 0), 30);
}

TEST(AxisTicks, WideAndNarrowRangesScaleByPowersOfTen)
{
    // r = 5000 -> 500 (d = 0.1): ceil(5) * 10 / 0.1 = 500.
    EXPECT_DOUBLE_EQ(TickStep(0, 5000), 500);
    // r = 0.5 -> 5 -> 50 -> 500 (d = 1000): ceil(5) * 10 / 1000 = 0.05.
    EXPECT_DOUBLE_EQ(TickStep(0, 0.5), 0.05);
    // r = 2 -> 200 (d = 100): ceil(2) * 10 / 100 = 0.2.
    EXPECT_DOUBLE_EQ(TickStep(-1, 1), 0.2);
}

TEST(AxisTicks, FirstTickIsTheSmallestMultipleNotBelowTheStart)
{
    EXPECT_DOUBLE_EQ(FirstTick(-1, 0.2), -1);
    EXPECT_DOUBLE_EQ(FirstTick(0.13, 0.1), 0.2);
    EXPECT_DOUBLE_EQ(FirstTick(-0.13, 0.1), -0.1);
    EXPECT_DOUBLE_EQ(FirstTick(1234, 500), 1500);
    EXPECT_DOUBLE_EQ(FirstTick(-1234, 500), -1000);
    EXPECT_DOUBLE_EQ(FirstTick(30, 30), 30);
}

// A file or a dialog can produce any X range; the rule must end and give no ticks where there are none.
TEST(AxisTicks, RangesWithoutFiniteWidthGiveNoStep)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(TickStep(0, inf), 0);
    EXPECT_EQ(TickStep(-inf, inf), 0);
    EXPECT_EQ(TickStep(-1e308, 1e308), 0) << "the width overflows";
    EXPECT_EQ(TickStep(0, nan), 0);
    EXPECT_EQ(TickStep(3, 3), 0);
    EXPECT_EQ(TickStep(0, 4.9e-324), 0) << "a denormal width scales past the largest double";
    EXPECT_EQ(FirstTick(inf, 1), inf);
    EXPECT_EQ(FirstTick(5, 0), 5);
    for (const bool logX : {false, true}) {
        const AxisLayout layout = AxisLayout::of(0, inf, -1, 1, 500, logX);
        EXPECT_TRUE(layout.xTicks.empty());
        EXPECT_FALSE(layout.yTicks.empty());
        EXPECT_TRUE(AxisLayout::of(nan, nan, nan, nan, 500, logX).yTicks.empty());
    }
}

TEST(AxisTicks, ZeroLabelsHaveNoSign)
{
    EXPECT_EQ(TickLabel(-0.0), "0");
    EXPECT_EQ(TickLabel(0.0), "0");
    EXPECT_EQ(TickLabel(-0.25), "-0.25");
    EXPECT_EQ(std::signbit(FirstTick(-1, 2) + 0.0), false);
}
