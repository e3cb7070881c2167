#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/CommaLocale.h"

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

namespace {
// An h:mm:ss[.f...] label read back as seconds, independently of how it was made.
double clockSeconds(const std::string& label)
{
    const bool negative = !label.empty() && label[0] == '-';
    const std::string text = negative ? label.substr(1) : label;
    const std::size_t first = text.find(':');
    const std::size_t second = text.find(':', first + 1);
    const double seconds = std::stod(text.substr(0, first)) * 3600 + std::stod(text.substr(first + 1, 2)) * 60 +
                           std::stod(text.substr(second + 1));
    return negative ? -seconds : seconds;
}
}  // namespace

TEST(ClockLabel, HoursMinutesAndTheDecimalsTheStepNeeds)
{
    EXPECT_EQ(ClockLabel(7199.96, 0.02), "1:59:59.96");
    EXPECT_EQ(ClockLabel(7199.98, 0.02), "1:59:59.98");
    EXPECT_EQ(ClockLabel(7200, 0.02), "2:00:00.00");
    EXPECT_EQ(ClockLabel(7199.964, 0.004), "1:59:59.964");
    EXPECT_EQ(ClockLabel(3723, 1), "1:02:03");
    EXPECT_EQ(ClockLabel(4000, 500), "1:06:40");
    EXPECT_EQ(ClockLabel(0, 1000), "0:00:00");
    EXPECT_EQ(ClockLabel(90000, 10000), "25:00:00") << "hours go on past a day";
    EXPECT_EQ(ClockLabel(-3725.5, 0.1), "-1:02:05.5");
    EXPECT_EQ(ClockLabel(-0.0, 0.1), "0:00:00.0");
    // Rounded to the step's last decimal, a second carries into the minute and the hour.
    EXPECT_EQ(ClockLabel(7199.996, 0.01), "2:00:00.00");
    // Finer than a nanosecond, or not a time at all: the seconds as TickLabel gives them.
    EXPECT_EQ(ClockLabel(7200.5, 1e-12), TickLabel(7200.5, 1e-12));
    EXPECT_EQ(ClockLabel(NAN, 1), TickLabel(NAN, 1));
}

TEST(ClockLabel, AnAxisReadsAsAClockOncePastAnHour)
{
    EXPECT_FALSE(ReadsAsClock(0, 3600));
    EXPECT_FALSE(ReadsAsClock(3000, 3500));
    EXPECT_TRUE(ReadsAsClock(3000, 3600.5));
    EXPECT_TRUE(ReadsAsClock(7199.962, 7200));
    EXPECT_TRUE(ReadsAsClock(-4000, 0));
    EXPECT_FALSE(ReadsAsClock(0, INFINITY));
    EXPECT_FALSE(ReadsAsClock(NAN, 7200));
}

// Over ranges about the end of a recording's second hour, from 40 ms to 3 hours wide, the ticks of a time
// axis read as a clock, every label differs from the others and reads back as its tick's time to within
// half its last decimal. A range below an hour and a frequency axis stay in plain numbers.
TEST(ClockLabel, TimeAxesPastAnHourTellTheirTicksApart)
{
    for (const double width : {0.038, 0.1, 1.0, 7.0, 37.0, 600.0, 5000.0, 10800.0})
        for (const double centre : {7199.981, 7200.0, 7250.3}) {
            const double x0 = centre - width / 2;
            const double x1 = centre + width / 2;
            SCOPED_TRACE(std::to_string(x0) + " ... " + std::to_string(x1));
            const AxisLayout layout = AxisLayout::of(x0, x1, -1, 1, 5000, false, true);
            ASSERT_GE(layout.xTicks.size(), 5u);
            const double step = TickStep(x0, x1);
            const double tolerance = std::pow(10.0, std::floor(std::log10(step) + 1e-9)) / 2 + 1e-9;
            const double first = FirstTick(x0, step);
            for (std::size_t k = 0; k < layout.xTicks.size(); ++k) {
                const std::string& label = layout.xTicks[k].label;
                ASSERT_NE(label.find(':'), std::string::npos) << label;
                EXPECT_NEAR(clockSeconds(label), first + double(k) * step, std::max(tolerance, 0.5)) << label;
                if (step < 1)
                    EXPECT_NEAR(clockSeconds(label), first + double(k) * step, tolerance) << label;
                if (k > 0)
                    EXPECT_NE(label, layout.xTicks[k - 1].label);
            }
        }
    const AxisLayout shortTime = AxisLayout::of(3000, 3500, -1, 1, 5000, false, true);
    ASSERT_FALSE(shortTime.xTicks.empty());
    EXPECT_EQ(shortTime.xTicks.front().label, "3000");
    const AxisLayout spectrum = AxisLayout::of(0, 22050, -1, 1, 5000, false, false);
    ASSERT_FALSE(spectrum.xTicks.empty());
    for (const AxisTick& tick : spectrum.xTicks)
        EXPECT_EQ(tick.label.find(':'), std::string::npos) << tick.label;
    // The Y axis is a value, never a time.
    for (const AxisTick& tick : AxisLayout::of(7000, 7300, 7000, 7300, 5000, false, true).yTicks)
        EXPECT_EQ(tick.label.find(':'), std::string::npos) << tick.label;
}

// Under a German locale the decimals still follow a point, as every label of the program does.
TEST(ClockLabel, DecimalsFollowAPointInEveryLocale)
{
    CommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no German locale";
    EXPECT_EQ(ClockLabel(7199.96, 0.02), "1:59:59.96");
    EXPECT_EQ(AxisLayout::of(7199.9, 7200, -1, 1, 500, false, true).xTicks.front().label, "1:59:59.90");
}
