#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <string>
#include <vector>

#include "views/InstrumentDial.h"

namespace {
std::vector<std::string> texts(const InstrumentDial& dial)
{
    std::vector<std::string> out;
    for (const auto& label : dial.labels())
        out.push_back(label.text);
    return out;
}
}  // namespace

// 0 … 1 gives labels every 0.1 up to and including 1; 0 … 2500 every 300; a range across zero and
// a scaled one keep whole steps.
TEST(InstrumentDial, LabelsAtTheNiceStep)
{
    EXPECT_EQ(texts(InstrumentDial(250, 250, 0, 1)),
              (std::vector<std::string>{"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}));
    EXPECT_EQ(texts(InstrumentDial(250, 250, 0, 2500)),
              (std::vector<std::string>{"0", "300", "600", "900", "1200", "1500", "1800", "2100", "2400"}));
    EXPECT_EQ(texts(InstrumentDial(250, 250, -5, 5)).size(), 11u);
    EXPECT_EQ(texts(InstrumentDial(250, 250, -5, 5)).front(), "-5");
    // A width of 655 (scaled) takes steps of 70, from the first multiple of the step in the range.
    EXPECT_EQ(texts(InstrumentDial(250, 250, 0.013, 0.0785)),
              (std::vector<std::string>{"0.014", "0.021", "0.028", "0.035", "0.042", "0.049", "0.056", "0.063",
                                        "0.07", "0.077"}));
    // The same range in other units gives the same labels, scaled.
    EXPECT_EQ(texts(InstrumentDial(250, 250, 13, 78.5)),
              (std::vector<std::string>{"14", "21", "28", "35", "42", "49", "56", "63", "70", "77"}));
    // No scale to speak of: no labels, and nothing divides by zero.
    EXPECT_TRUE(texts(InstrumentDial(250, 250, 3, 3)).empty());
    EXPECT_TRUE(texts(InstrumentDial(250, 250, 0, NAN)).empty());
}

// Labels left of the top are right-aligned, near the top centred, right of it left-aligned.
TEST(InstrumentDial, LabelPlacesAndAlignment)
{
    const InstrumentDial dial(250, 250, 0, 1);
    const auto labels = dial.labels();
    ASSERT_EQ(labels.size(), 11u);
    EXPECT_EQ(labels[0].align, InstrumentDial::Align::Right);
    EXPECT_EQ(labels[5].align, InstrumentDial::Align::Centre);
    EXPECT_EQ(labels[10].align, InstrumentDial::Align::Left);
    const double r = dial.radius();
    // The middle label stands above the top of the dial.
    EXPECT_NEAR(labels[5].at.x, r, 0.01);
    EXPECT_NEAR(labels[5].at.y, r + 20 - (r + 20) * std::sin(3.927 - 0.5 * 4.7124), 1e-9);
}

// 61 ticks from −45° to 225°, each 1/15 of the radius long; the dial is the square below 20 pixels.
TEST(InstrumentDial, TicksAndGeometry)
{
    const InstrumentDial dial(300, 250, 0, 10);
    EXPECT_EQ(dial.side(), 210);
    EXPECT_EQ(dial.centre().x, 105);
    EXPECT_EQ(dial.centre().y, 125);
    const auto ticks = dial.ticks();
    ASSERT_EQ(ticks.size(), 61u);
    const double r = dial.radius();
    for (const auto& tick : ticks) {
        EXPECT_NEAR(std::hypot(tick.outer.x - r, tick.outer.y - r - 20), r, 1e-9);
        EXPECT_NEAR(std::hypot(tick.inner.x - r, tick.inner.y - r - 20), r * 14 / 15, 1e-9);
    }
    // The first is at the lower right, the last at the lower left.
    EXPECT_GT(ticks.front().outer.x, r);
    EXPECT_GT(ticks.front().outer.y, r + 20);
    EXPECT_LT(ticks.back().outer.x, r);
    EXPECT_GT(ticks.back().outer.y, r + 20);
    EXPECT_NEAR(dial.screenAngle(0), -3.927, 1e-12);
    EXPECT_NEAR(dial.screenAngle(10), 4.7124 - 3.927, 1e-12);
    EXPECT_NEAR(dial.scale().startDegrees, 225, 0.01);
    EXPECT_NEAR(dial.scale().spanDegrees, -270, 0.01);
}

// The needle stops at the ends of the scale; a value that is not a number rests at the start.
TEST(InstrumentDial, NeedleHeldWithinTheScale)
{
    const InstrumentDial dial(250, 250, 0, 10);
    InstrumentReading reading;
    reading.rangeFrom = 0;
    reading.rangeTo = 10;
    const auto tipOf = [&](double value) {
        reading.value = value;
        return dial.needle(reading.clampedValue())[2];
    };
    EXPECT_EQ(tipOf(-50).x, tipOf(0).x);
    EXPECT_EQ(tipOf(-50).y, tipOf(0).y);
    EXPECT_EQ(tipOf(1e30).x, tipOf(10).x);
    EXPECT_EQ(tipOf(NAN).x, tipOf(0).x);
    EXPECT_LT(tipOf(0).x, dial.centre().x);
    EXPECT_GT(tipOf(0).y, dial.centre().y);
    EXPECT_NEAR(tipOf(5).x, dial.centre().x, 0.01);
    EXPECT_LT(tipOf(5).y, dial.centre().y);
}

TEST(InstrumentDial, CriticalSectors)
{
    const InstrumentDial dial(250, 250, 0, 10);
    InstrumentReading reading;
    reading.rangeTo = 10;
    reading.criticalFrom = 2;
    reading.criticalTo = 5;
    auto sectors = dial.criticalSectors(reading);
    ASSERT_EQ(sectors.size(), 1u);
    EXPECT_NEAR(sectors[0].startDegrees, 225 - 54, 0.01);
    EXPECT_NEAR(sectors[0].spanDegrees, -81, 0.01);
    reading.inner = false;
    sectors = dial.criticalSectors(reading);
    ASSERT_EQ(sectors.size(), 2u);
    EXPECT_NEAR(sectors[0].startDegrees, 225, 0.01);
    EXPECT_NEAR(sectors[1].startDegrees + sectors[1].spanDegrees, -45, 0.01);
    reading.criticalTo = 2;
    EXPECT_TRUE(dial.criticalSectors(reading).empty());
}

TEST(InstrumentDial, AZeroLabelHasNoSign)
{
    for (const auto& [from, to] : {std::pair{-1.0, 10.0}, std::pair{-0.3, 0.7}, std::pair{-70.0, 30.0}}) {
        const std::vector<std::string> labels = texts(InstrumentDial(250, 250, from, to));
        EXPECT_NE(std::find(labels.begin(), labels.end(), "0"), labels.end()) << from;
        EXPECT_EQ(std::find(labels.begin(), labels.end(), "-0"), labels.end()) << from;
    }
}
