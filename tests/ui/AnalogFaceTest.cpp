#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "QtTestApp.h"
#include "views/InstrumentDial.h"
#include "views/ui/AnalogFace.h"

namespace {
QImage painted(const InstrumentReading& reading, int width = 250, int height = 250)
{
    QImage image(width, height, QImage::Format_RGB32);
    AnalogFace::paint(image, reading);
    return image;
}

InstrumentReading reading(double value, int type)
{
    InstrumentReading r;
    r.value = value;
    r.rangeFrom = 0;
    r.rangeTo = 10;
    r.type = type;
    return r;
}
}  // namespace

// The hub is black, the critical slice red, and the needle inverts the white beneath it.
TEST(AnalogFace, DialPixels)
{
    qtApp();
    InstrumentReading r = reading(5, InstrumentReading::Dial);
    r.criticalFrom = 7;
    r.criticalTo = 10;
    const QImage image = painted(r);
    const InstrumentDial dial(250, 250, 0, 10);
    const auto o = dial.centre();
    EXPECT_EQ(image.pixel(int(o.x), int(o.y)), qRgb(0, 0, 0));
    // Halfway up the needle (pointing straight up at 5) the white has become black.
    EXPECT_EQ(image.pixel(int(o.x), int(o.y - dial.radius() / 2)), qRgb(0, 0, 0));
    // Inside the critical slice, at 8.5 on the scale, half the radius out.
    const double a = dial.screenAngle(8.5);
    EXPECT_EQ(image.pixel(int(o.x + dial.radius() / 2 * std::cos(a)), int(o.y + dial.radius() / 2 * std::sin(a))),
              qRgb(255, 0, 0));
    // Outside the critical range the dial stays white there.
    const double b = dial.screenAngle(2);
    EXPECT_EQ(image.pixel(int(o.x + dial.radius() / 2 * std::cos(b)), int(o.y + dial.radius() / 2 * std::sin(b))),
              qRgb(255, 255, 255));
    // A value below the scale moves the needle to the start, not beyond it.
    const QImage low = painted(reading(-100, InstrumentReading::Dial));
    const double start = dial.screenAngle(0);
    EXPECT_EQ(low.pixel(int(o.x + 40 * std::cos(start)), int(o.y + 40 * std::sin(start))), qRgb(0, 0, 0));
    EXPECT_EQ(low.pixel(int(o.x), int(o.y - dial.radius() / 2)), qRgb(255, 255, 255));
}

TEST(AnalogFace, BarFollowsTheValueWithinTheScale)
{
    qtApp();
    const QRgb blue = qRgb(0, 0, 255);
    const QImage half = painted(reading(5, InstrumentReading::Bar), 300, 150);
    EXPECT_EQ(half.pixel(10, 60), blue);
    EXPECT_EQ(half.pixel(140, 60), blue);
    EXPECT_NE(half.pixel(150, 60), blue);
    const QImage low = painted(reading(-3, InstrumentReading::Bar), 300, 150);
    EXPECT_NE(low.pixel(10, 60), blue);
    const QImage high = painted(reading(30, InstrumentReading::Bar), 300, 150);
    EXPECT_EQ(high.pixel(285, 60), blue);
    EXPECT_NE(high.pixel(297, 60), blue);
}

TEST(AnalogFace, NumberOnlyShowsText)
{
    qtApp();
    const QImage image = painted(reading(3.25, InstrumentReading::Number));
    int dark = 0;
    for (int y = 10; y < 60; ++y)
        for (int x = 0; x < 250; ++x)
            dark += image.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(dark, 50);
    // Nothing of a dial: the lower part stays white.
    for (int x = 0; x < 250; ++x)
        ASSERT_EQ(image.pixel(x, 200), qRgb(255, 255, 255));
}
