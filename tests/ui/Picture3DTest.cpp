#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/TempFolder.h"
#include "tree/marlune3DChild.h"
#include "views/FFTSignal.h"
#include "views/Palette.h"
#include "views/SpectrogramCells.h"
#include "views/ui/Picture3D.h"

namespace {
// Entry i is (5 i, 100, 255 - 5 i), so a pixel tells which index painted it.
const Palette& rampPalette()
{
    static const Palette palette = [] {
        TempFolder folder;
        std::string text;
        for (int i = 0; i < 48; ++i)
            text += std::to_string(5 * i) + " 100 " + std::to_string(255 - 5 * i) + "\n";
        writeBytes(folder.path / "ramp.pal", text);
        return *Palette::read(folder.path / "ramp.pal");
    }();
    return palette;
}

QColor entry(int i)
{
    return QColor(5 * i, 100, 255 - 5 * i);
}

std::unique_ptr<Signal> parentOf(const std::vector<float>& x)
{
    return std::make_unique<Signal>(nullptr, SignalKind::ExtractedPart, x.data(), uint32_t(x.size()), 1.0L);
}

// A log of `rows` copies of `values`, shown as a spectrogram with coloured cells.
FFTSignal spectrogramOf(uint32_t rows, const std::vector<float>& values)
{
    FFTSignal data;
    EXPECT_EQ(data.createLog(*parentOf(values), rows), FFTSignal::Result::Done);
    for (uint32_t k = 1; k < rows; ++k)
        EXPECT_TRUE(data.appendLog(*parentOf(values)));
    data.elevation = 0;
    data.azimuth = 5;
    data.fillSegments = true;
    data.shiftDirection = 0;
    return data;
}

QImage drawn(const FFTSignal& data, const Display3D& display, QSize size, bool invalid = false)
{
    qtApp();
    QImage image(size, QImage::Format_RGB32);
    Picture3D(data, display, rampPalette(), invalid, size).draw(image);
    return image;
}

std::vector<float> ramp(int bins)
{
    std::vector<float> x(std::size_t(bins), 0);
    for (int j = 0; j < bins; ++j)
        x[std::size_t(j)] = float(j);
    return x;
}

Display3D noAxes()
{
    Display3D display;
    display.axes = false;
    return display;
}
}  // namespace

// 10 rows × 512 bins in 440 × 300: 40-pixel rectangles two pixels high, one pixel apart, later ones
// covering earlier ones; pixel row y shows bin 2y + 1 of the ramp, index trunc((j + 1/2) × 47 / 511).
TEST(Picture3D, SpectrogramOfFewRowsDrawsOverlappingRectangles)
{
    const FFTSignal data = spectrogramOf(10, ramp(512));
    const QImage image = drawn(data, noAxes(), {440, 300});
    for (const int y : {0, 50, 100, 200, 254}) {
        const int j = 2 * y + 1;
        const int index = int((j + 0.5) * 47 / 511);
        EXPECT_EQ(image.pixelColor(20, y), entry(index)) << y;
        EXPECT_EQ(image.pixelColor(359, y), entry(index)) << y;
    }
    // The last cells end one pixel past the last point; nothing lies beyond.
    EXPECT_EQ(image.pixelColor(360, 100), entry(int((201 + 0.5) * 47 / 511)));
    EXPECT_EQ(image.pixelColor(362, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(20, 258), QColor(Qt::white));
}

// 1600 rows: every pixel is the maximum of 4 rows × 2 bins; a single high cell is not lost.
TEST(Picture3D, DenseSpectrogramShowsBlockMaxima)
{
    std::vector<float> spike(512, 0);
    FFTSignal data = spectrogramOf(1600, std::vector<float>(512, 0));
    spike[101] = 10;
    ASSERT_TRUE(data.appendLog(*parentOf(spike)));
    data.shiftDirection = 0;
    const QImage image = drawn(data, noAxes(), {440, 300});
    EXPECT_EQ(image.pixelColor(1599 / 4, 101 / 2), entry(47));
    EXPECT_EQ(image.pixelColor(1599 / 4, 51), entry(0));
    EXPECT_EQ(image.pixelColor(1599 / 4 - 1, 50), entry(0));
    EXPECT_EQ(image.pixelColor(0, 0), entry(0));
    EXPECT_EQ(image.pixelColor(400, 0), QColor(Qt::white));
}

TEST(Picture3D, FlatMatrixIsIndexZeroInBothViews)
{
    FFTSignal data = spectrogramOf(12, std::vector<float>(20, 5.0f));
    ASSERT_EQ(data.level().zMax - data.level().zMin, 1.0f);
    QImage image = drawn(data, noAxes(), {300, 250});
    EXPECT_EQ(image.pixelColor(5, 5), entry(0));
    EXPECT_EQ(image.pixelColor(200, 150), entry(0));
    data.azimuth = 15;
    data.elevation = 3;
    image = drawn(data, noAxes(), {400, 315});
    // The middle of the 800 × 630 picture, (400, 270) logical, lies on the surface.
    EXPECT_EQ(image.pixelColor(200, 135), entry(0));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
}

// Without fill the mesh is red wire lines whatever the palette.
TEST(Picture3D, WireLinesAreRed)
{
    FFTSignal data = spectrogramOf(12, ramp(20));
    data.azimuth = 15;
    data.elevation = 3;
    data.fillSegments = false;
    const QImage image = drawn(data, noAxes(), {400, 315});
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(Qt::red))
                ++red;
            else
                ASSERT_EQ(c, QColor(Qt::white)) << x << " " << y;
        }
    EXPECT_GT(red, 200);
}

// The ruler is an inversion: drawn twice it is gone, and it marks the ruler row and bin.
TEST(Picture3D, RulerInvertsAndRestores)
{
    FFTSignal data = spectrogramOf(10, ramp(64));
    data.rulerOn = true;
    data.level().rulerRow = 3;
    data.level().rulerBin = 10;
    // Without the axes the cells keep their whole area, whatever room the labels and the colour scale take.
    Display3D display;
    display.axes = false;
    QImage with = drawn(data, display, {440, 300});
    data.rulerOn = false;
    const QImage without = drawn(data, display, {440, 300});
    EXPECT_NE(with, without);
    // Ruler row 3 runs down x = 120, ruler bin 10 along y = 40 (cells 40 × 4).
    const QColor under = without.pixelColor(120, 200);
    EXPECT_EQ(with.pixelColor(120, 200), QColor(255 - under.red(), 255 - under.green(), 255 - under.blue()));
    EXPECT_EQ(with.pixelColor(300, 40).red(), 255 - without.pixelColor(300, 40).red());
    EXPECT_EQ(with.pixelColor(300, 41), without.pixelColor(300, 41));
    data.rulerOn = true;
    Picture3D(data, display, rampPalette(), false, {440, 300}).invertRuler(with);
    EXPECT_EQ(with, without);
}

// Scrolling after a one-row append gives the same picture as drawing everything, with axes or a ruler.
TEST(Picture3D, ScrolledSpectrogramEqualsAFullDraw)
{
    for (const bool ruler : {false, true}) {
        FFTSignal data = spectrogramOf(10, ramp(64));
        data.rulerOn = ruler;
        Display3D display;
        display.axes = !ruler;
        display.xLabel = "sample";
        display.yLabel = "x";
        const QSize size(440, 300);
        QImage image = drawn(data, display, size);
        // Values inside the same Z range: the colours of the moved cells stay right.
        std::vector<float> next = ramp(64);
        std::reverse(next.begin(), next.end());
        ASSERT_TRUE(data.appendLog(*parentOf(next)));
        ASSERT_EQ(data.shiftDirection, 1);
        ASSERT_TRUE(Picture3D(data, display, rampPalette(), false, size).scroll(image, 1));
        EXPECT_TRUE(image == drawn(data, display, size)) << ruler;
    }
}

TEST(Picture3D, DenseOrMeshPicturesDoNotScroll)
{
    FFTSignal data = spectrogramOf(1600, std::vector<float>(64, 0));
    QImage image(440, 300, QImage::Format_RGB32);
    EXPECT_FALSE(Picture3D(data, Display3D{}, rampPalette(), false, {440, 300}).scroll(image, 1));
    data = spectrogramOf(10, ramp(64));
    data.elevation = 3;
    EXPECT_FALSE(Picture3D(data, Display3D{}, rampPalette(), false, {440, 300}).scroll(image, 1));
}

TEST(Picture3D, InvalidContentIsOnlyTheText)
{
    const FFTSignal data = spectrogramOf(10, ramp(64));
    const QImage image = drawn(data, Display3D{}, {440, 300}, true);
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                ++dark;
                EXPECT_GE(x, 10);
                EXPECT_GE(y, 10);
                EXPECT_LT(y, 40);
            }
    EXPECT_GT(dark, 50);
}

namespace {
// A log whose ten rows are the ramp rotated by first, first + 1, ...: every row spans 0 ... 63.
FFTSignal rotatedRamps(int first)
{
    auto rotated = [](int k) {
        std::vector<float> x(64);
        for (int j = 0; j < 64; ++j)
            x[std::size_t(j)] = float((j + k) % 64);
        return x;
    };
    FFTSignal data;
    EXPECT_EQ(data.createLog(*parentOf(rotated(first)), 10), FFTSignal::Result::Done);
    for (int k = first + 1; k < first + 10; ++k)
        EXPECT_TRUE(data.appendLog(*parentOf(rotated(k))));
    data.elevation = 0;
    data.azimuth = 5;
    data.fillSegments = true;
    data.shiftDirection = 0;
    return data;
}
}  // namespace

// A Time FFT whose parent moved back by one segment gains a new first row: the picture moves right.
TEST(Picture3D, ScrollingBackEqualsAFullDraw)
{
    const QSize size(440, 300);
    Display3D display;
    for (const bool ruler : {false, true}) {
        FFTSignal later = rotatedRamps(1);
        FFTSignal earlier = rotatedRamps(0);
        later.rulerOn = earlier.rulerOn = ruler;
        display.axes = !ruler;
        QImage image = drawn(later, display, size);
        ASSERT_TRUE(Picture3D(earlier, display, rampPalette(), false, size).scroll(image, -1));
        EXPECT_TRUE(image == drawn(earlier, display, size)) << ruler;
    }
}

// The mesh axes are black lines and texts; without them the picture holds no black pixel.
TEST(Picture3D, MeshAxesAreDrawnOnlyWhenShown)
{
    FFTSignal data = rotatedRamps(0);
    data.azimuth = 15;
    data.elevation = 3;
    Display3D display;
    display.xLabel = "sample";
    display.zLabel = "value";
    auto black = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == QColor(Qt::black);
        return count;
    };
    EXPECT_GT(black(drawn(data, display, {640, 504})), 300);
    display.axes = false;
    EXPECT_EQ(black(drawn(data, display, {640, 504})), 0);
}

// With the low frequencies at the bottom the spectrogram turns over (a ramp over the bins, whose colour
// grows with its value, grows upwards), and the cells and the mouse follow the bins drawn.
TEST(Picture3DLowAtBottom, TheSpectrogramTurnsOverAndTheCellsFollow)
{
    for (const uint32_t rows : {12u, 3000u}) {
        SCOPED_TRACE(rows);
        FFTSignal data = spectrogramOf(rows, ramp(40));
        Display3D display;
        display.axes = false;
        const QSize size(440, 300);
        const SpectrogramCells cells(data.level(), size.width(), size.height());
        const int x = int(cells.pictureWidth()) / 2;
        const int bottom = int(cells.pictureHeight()) - 2;
        const QImage down = drawn(data, display, size);
        EXPECT_LT(down.pixelColor(x, 2).red(), down.pixelColor(x, bottom).red());
        data.lowAtBottom = true;
        const QImage up = drawn(data, display, size);
        EXPECT_GT(up.pixelColor(x, 2).red(), up.pixelColor(x, bottom).red());
        EXPECT_EQ(up.pixelColor(x, 2), down.pixelColor(x, bottom));

        const SpectrogramCells turned(data.level(), size.width(), size.height(), true);
        EXPECT_EQ(turned.cellAt(10, bottom + 2)->second, data.level().firstBin);
        EXPECT_EQ(turned.cellAt(10, 0)->second, data.level().lastBin);
        EXPECT_EQ(turned.point(3, data.level().firstBin).y, cells.point(3, data.level().lastBin).y);
        EXPECT_EQ(turned.cellTop(3, data.level().firstBin).y, cells.point(3, data.level().lastBin - 1).y);
    }
}

// Frequencies up to 22050 Hz in five digits: a label the pane's edge cuts reads as a tenth of its value
// ("12000" as "1200"), so no glyph may touch the last column or the last line of any pane size.
TEST(Picture3D, EveryTickLabelAndTitleOfTheSpectrogramFitsThePane)
{
    const std::vector<float> values = ramp(513);
    const auto parent = std::make_unique<Signal>(nullptr, SignalKind::ExtractedPart, values.data(), 513u, 512 / 22050.0L);
    Display3D display;
    display.xLabel = "sec";
    display.yLabel = "Hz";
    // Whole-pixel cells fill the width up to the 40 pixels the labels were given: at 830 pixels 790 and
    // 395 rows leave about 25 pixels right of the ticks, ten rows more than a hundred.
    for (const uint32_t rows : {10u, 395u, 790u}) {
        FFTSignal data;
        ASSERT_EQ(data.createLog(*parent, rows), FFTSignal::Result::Done);
        for (uint32_t k = 1; k < rows; ++k)
            ASSERT_TRUE(data.appendLog(*parent));
        data.elevation = 0;
        data.azimuth = 5;
        data.fillSegments = true;
        data.shiftDirection = 0;
        ASSERT_NEAR(data.binY(data.level().lastBin), 22050, 1e-6);
        for (const int width : {300, 440, 620, 830, 1000, 1300})
            for (const int height : {200, 420, 760}) {
                SCOPED_TRACE(std::to_string(rows) + " rows in " + std::to_string(width) + " x " + std::to_string(height));
                const QImage image = drawn(data, display, QSize(width, height));
                int edgeInk = 0;
                for (int y = 0; y < height; ++y)
                    edgeInk += !isWhite(image, width - 1, y);
                for (int x = 0; x < width; ++x)
                    edgeInk += !isWhite(image, x, height - 1);
                EXPECT_EQ(edgeInk, 0) << "a label runs over the pane's edge";
                // The labels are there: black ink right of the frame's vertical line and its ticks.
                int frame = width - 1;
                const auto blackIn = [&image, height](int x, int fromY) {
                    int n = 0;
                    for (int y = fromY; y < height; ++y)
                        n += image.pixelColor(x, y) == QColor(Qt::black);
                    return n;
                };
                while (frame > 0 && blackIn(frame, 0) < height / 3)
                    --frame;
                ASSERT_GT(frame, 0) << "no frame";
                int labelInk = 0;
                for (int x = frame + frame / 100 + 3; x < width; ++x)
                    labelInk += blackIn(x, 0);
                EXPECT_GT(labelInk, 0) << "no Y labels";
            }
    }
}

// The colour scale below the spectrogram runs from the lowest Z's colour on the left to the highest's on the right.
TEST(Picture3D, TheColourScaleRunsFromTheLowestToTheHighestColour)
{
    const FFTSignal data = spectrogramOf(12, ramp(40));
    const QImage image = drawn(data, Display3D{}, {440, 300});
    int first = -1;
    int last = -1;
    for (int y = image.height() - 1; y >= 0 && first < 0; --y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == entry(0) && image.pixelColor(x, y - 1) == entry(0)) {
                first = y;
                break;
            }
    ASSERT_GE(first, 0) << "no colour scale";
    for (int x = image.width() - 1; x >= 0; --x)
        if (image.pixelColor(x, first) == entry(SpectrogramCells::Colours - 1)) {
            last = x;
            break;
        }
    EXPECT_GT(last, 100) << "the highest colour at the scale's right end";
}
