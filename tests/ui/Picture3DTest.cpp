#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <utility>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "dsp/TapWindow.h"
#include "settings/SpectralSettingsIni.h"
#include "fileio/PictureMatrix.h"
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

// 10 rows × 512 bins in 440 × 300: the plot area of 400 × 270 is ten columns 40 pixels wide, each pixel
// row showing the largest of the two or so bins whose centres lie in it (the ramp's last, as it rises),
// index trunc(j × 47 / 511); nothing right of or below the area.
TEST(Picture3D, SpectrogramOfFewRowsFillsThePlotArea)
{
    const FFTSignal data = spectrogramOf(10, ramp(512));
    const QImage image = drawn(data, noAxes(), {440, 300});
    // Bin j has its centre at (j + 1/2) × 270 / 512: row 0 holds bins 0 and 1, row 100 bins 189 ... 190,
    // row 269 bins 510 and 511.
    for (const auto& [y, last] : std::vector<std::pair<int, int>>{{0, 1}, {100, 190}, {200, 380}, {269, 511}}) {
        const int index = last * 47 / 511;
        EXPECT_EQ(image.pixelColor(0, y), entry(index)) << y;
        EXPECT_EQ(image.pixelColor(20, y), entry(index)) << y;
        EXPECT_EQ(image.pixelColor(399, y), entry(index)) << y;
    }
    EXPECT_EQ(image.pixelColor(400, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(20, 270), QColor(Qt::white));
}

// 1600 rows: every pixel is the maximum of 4 rows × about 2 bins; a single high cell is not lost.
TEST(Picture3D, DenseSpectrogramShowsBlockMaxima)
{
    std::vector<float> spike(512, 0);
    FFTSignal data = spectrogramOf(1600, std::vector<float>(512, 0));
    spike[101] = 10;
    ASSERT_TRUE(data.appendLog(*parentOf(spike)));
    data.shiftDirection = 0;
    const QImage image = drawn(data, noAxes(), {440, 300});
    // Row 1599 in column 1599 / 4, bin 101's centre at 101.5 × 270 / 512 = 53.5.
    EXPECT_EQ(image.pixelColor(399, 53), entry(47));
    EXPECT_EQ(image.pixelColor(399, 54), entry(0));
    EXPECT_EQ(image.pixelColor(399, 52), entry(0));
    EXPECT_EQ(image.pixelColor(398, 53), entry(0));
    EXPECT_EQ(image.pixelColor(0, 0), entry(0));
    EXPECT_EQ(image.pixelColor(400, 0), QColor(Qt::white));
}

namespace {
// A picture matrix whose value (7 r + 13 j) mod 48 is its own palette index (Z range 0 ... 47), so a pixel
// tells which value coloured it and neighbouring cells differ.
FFTSignal patternOf(uint32_t rows, uint32_t bins)
{
    PictureMatrix matrix{rows, bins, {}};
    matrix.values.reserve(std::size_t(rows) * bins);
    for (uint32_t r = 0; r < rows; ++r)
        for (uint32_t j = 0; j < bins; ++j)
            matrix.values.push_back(float((7 * r + 13 * j) % 48));
    FFTSignal data;
    EXPECT_EQ(data.createPicture(matrix), FFTSignal::Result::Done);
    return data;
}

bool isCell(const QColor& c)
{
    return c.green() == 100;
}

// The longest unbroken black line along a column (vertical) or a row: the frame of the axes, which no
// label's glyphs match.
int frameLine(const QImage& image, bool vertical)
{
    const int across = vertical ? image.width() : image.height();
    const int along = vertical ? image.height() : image.width();
    int best = 0;
    int longest = 0;
    for (int i = 0; i < across; ++i) {
        int run = 0;
        for (int k = 0; k < along; ++k) {
            run = (vertical ? image.pixelColor(i, k) : image.pixelColor(k, i)) == QColor(Qt::black) ? run + 1 : 0;
            if (run > longest) {
                longest = run;
                best = i;
            }
        }
    }
    return best;
}
}  // namespace

// A 1000-row spectrogram once used 60 % of an 830-pixel pane: whatever the counts and the pane, the cells
// now reach the frame of the axes on the right and at the bottom, and the pane's edge leaves the axes
// no more room than their labels need. Under every pixel the mouse finds a cell of the value drawn
// there, lying where the pixel is.
TEST(Picture3D, TheSpectrogramFillsItsPlotAreaAndTheMouseReadsWhatIsDrawn)
{
    Display3D display;
    display.xLabel = "sec";
    display.yLabel = "Hz";
    for (const uint32_t rows : {50u, 333u, 1000u, 5000u})
        for (const uint32_t bins : {37u, 513u}) {
            const FFTSignal data = patternOf(rows, bins);
            for (const QSize size : {QSize(300, 200), QSize(440, 300), QSize(830, 500), QSize(1300, 760)}) {
                SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(bins) + " in " +
                             std::to_string(size.width()) + " x " + std::to_string(size.height()));
                const QImage image = drawn(data, display, size);
                const Picture3D picture(data, display, rampPalette(), false, size);
                const int right = frameLine(image, true);
                const int bottom = frameLine(image, false);
                EXPECT_GE(right, size.width() - 100) << "the axes take more than their labels need";
                EXPECT_GE(bottom, size.height() - 90);
                for (const int y : {0, bottom / 2, bottom - 1}) {
                    EXPECT_TRUE(isCell(image.pixelColor(0, y))) << y;
                    EXPECT_TRUE(isCell(image.pixelColor(right - 1, y))) << y;
                    EXPECT_FALSE(isCell(image.pixelColor(right, y))) << y;
                }
                for (const int x : {0, right / 2, right - 1}) {
                    EXPECT_TRUE(isCell(image.pixelColor(x, 0))) << x;
                    EXPECT_TRUE(isCell(image.pixelColor(x, bottom - 1))) << x;
                }
                for (int k = 0; k < 300; ++k) {
                    const int x = int((k * 7919LL) % right);
                    const int y = int((k * 104729LL) % bottom);
                    const auto cell = picture.cellAt({x, y});
                    ASSERT_TRUE(cell.has_value()) << x << ", " << y;
                    const auto [r, j] = *cell;
                    const int index = (7 * int(r) + 13 * int(j)) % 48;
                    ASSERT_EQ(image.pixelColor(x, y), entry(index)) << x << ", " << y;
                    // The cell's centre, in the plot area's share of each row and bin, is at most half a
                    // cell or a pixel from the pixel's.
                    const double cw = double(right) / rows;
                    const double ch = double(bottom) / bins;
                    EXPECT_LE(std::abs((double(r) + 0.5) * cw - (x + 0.5)), std::max(cw, 1.0) / 2 + 1e-9) << x;
                    EXPECT_LE(std::abs((double(j) + 0.5) * ch - (y + 0.5)), std::max(ch, 1.0) / 2 + 1e-9) << y;
                }
                EXPECT_FALSE(picture.cellAt({right, 5}).has_value());
                EXPECT_FALSE(picture.cellAt({5, bottom}).has_value());
            }
        }
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
    // Through the centres of the cells 40 × 270 / 64 pixels large: ruler row 3 runs down x = 3.5 × 40,
    // ruler bin 10 along y = trunc(10.5 × 270 / 64) = 44, both from one edge of the cells to the other.
    const QColor under = without.pixelColor(140, 200);
    EXPECT_EQ(with.pixelColor(140, 200), QColor(255 - under.red(), 255 - under.green(), 255 - under.blue()));
    EXPECT_EQ(with.pixelColor(140, 0).red(), 255 - without.pixelColor(140, 0).red());
    EXPECT_EQ(with.pixelColor(140, 269).red(), 255 - without.pixelColor(140, 269).red());
    EXPECT_EQ(with.pixelColor(139, 200), without.pixelColor(139, 200));
    EXPECT_EQ(with.pixelColor(300, 44).red(), 255 - without.pixelColor(300, 44).red());
    EXPECT_EQ(with.pixelColor(0, 44).red(), 255 - without.pixelColor(0, 44).red());
    EXPECT_EQ(with.pixelColor(399, 44).red(), 255 - without.pixelColor(399, 44).red());
    EXPECT_EQ(with.pixelColor(300, 45), without.pixelColor(300, 45));
    EXPECT_EQ(with.pixelColor(300, 270), without.pixelColor(300, 270)) << "nothing below the cells";
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
        EXPECT_EQ(turned.cellsAt(10, turned.pictureHeight() - 1)->second.first, data.level().firstBin);
        EXPECT_EQ(turned.cellsAt(10, 0)->second.last, data.level().lastBin);
        EXPECT_EQ(turned.point(3, data.level().firstBin).y, cells.point(3, data.level().lastBin).y);
        // The mouse over the top line of the turned picture reads the last bin, as it is drawn.
        const Picture3D picture(data, display, rampPalette(), false, size);
        EXPECT_EQ(picture.cellAt({x, 0})->second, data.level().lastBin);
        EXPECT_EQ(picture.cellAt({x, turned.pictureHeight() - 1})->second, data.level().firstBin);
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
    // The cells fill the width up to the 40 pixels the labels were given, whatever the row count.
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

// The mesh view's end values and titles lie just outside its box: a Time FFT up to 22050 Hz of a
// recording's second hour, seen from every side, must not lose a digit of "22050" or of its times to
// the pane's edge in any pane size ("21000" cut to "210" reads as a tenth of it). Black is only the
// axes' lines and texts; the surface itself may reach the edges.
TEST(Picture3D, EveryEndValueAndTitleOfTheMeshFitsThePane)
{
    std::vector<float> samples(44100);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(std::sin(0.001 * double(i * i)));
    const Signal parent(nullptr, SignalKind::FileSignal, samples.data(), uint32_t(samples.size()), 44100, 7199.5L);
    FFTSignal data;
    TapWindow tap;
    ASSERT_EQ(data.createTimeFFT(parent, {1024, 30, 15, 3, 44100 / 1024.0L, 22050}, builtInSpectralDefaults({}), tap),
              FFTSignal::Result::Done);
    ASSERT_NEAR(data.binY(data.level().lastBin), 22050, 1e-6);
    Display3D display;
    display.xLabel = "sec";
    display.yLabel = "Hz";
    display.zLabel = "Magnitude";
    const auto blackOnEdges = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += (image.pixelColor(0, y) == QColor(Qt::black)) + (image.pixelColor(image.width() - 1, y) == QColor(Qt::black));
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixelColor(x, 0) == QColor(Qt::black)) + (image.pixelColor(x, image.height() - 1) == QColor(Qt::black));
        return n;
    };
    for (const bool fill : {true, false})
        for (const QSize size : {QSize(260, 200), QSize(300, 220), QSize(480, 360), QSize(830, 500), QSize(1300, 1000)})
            for (int azimuth = 0; azimuth < 36; azimuth += 3)
                for (const int elevation : {1, 3, 8, 16}) {
                    SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()) + ", view " +
                                 std::to_string(azimuth) + " " + std::to_string(elevation));
                    data.fillSegments = fill;
                    data.azimuth = azimuth;
                    data.elevation = elevation;
                    const QImage image = drawn(data, display, size);
                    EXPECT_EQ(blackOnEdges(image), 0);
                    // The axes are still drawn, with their labels.
                    int black = 0;
                    for (int y = 0; y < image.height(); ++y) {
                        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                        black += int(std::count(line, line + image.width(), qRgb(0, 0, 0)));
                    }
                    EXPECT_GT(black, 150);
                }
}
