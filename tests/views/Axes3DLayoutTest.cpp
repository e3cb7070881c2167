#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dsp/TapWindow.h"

#include "FFTTestSupport.h"
#include "views/Axes3DLayout.h"
#include "views/FFTSignal.h"
#include "views/PictureScale.h"
#include "views/SpectrogramCells.h"

namespace {
// A log of `rows` rows of `bins` values at 1 Hz: row r has X r, bin j has Y j.
FFTSignal logOf(uint32_t rows, uint32_t bins)
{
    FFTSignal data;
    EXPECT_EQ(data.createLog(*parentOf(std::vector<float>(bins, 1.0f), 1), rows), FFTSignal::Result::Done);
    return data;
}

const Axes3DLayout::Label* labelWith(const Axes3DLayout& layout, const std::string& text)
{
    for (const Axes3DLayout::Label& label : layout.labels)
        if (label.text == text)
            return &label;
    return nullptr;
}
}  // namespace

// 10 rows × 512 bins in 440 × 300: the cells fill W = 400 and H = 270, and a tick lies at the centre of
// the cell of its value: x = (t + 1/2) × 40, y = (t + 1/2) × 270 / 512.
TEST(Axes3DLayout, SpectrogramTicksFrameAndTitles)
{
    const FFTSignal data = logOf(10, 512);
    const SpectrogramCells cells(data.level(), 440, 300);
    const Axes3DLayout layout = Axes3DLayout::spectrogram(data, cells, {"time", "freq", "z"});
    EXPECT_EQ(layout.fontHeight, 12);

    // X 0 ... 9 ticks every 0.9: the tick of 0.9 at px 56, its label centred below at 1.02 H.
    const Axes3DLayout::Label* x = labelWith(layout, "0.9");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->at, (ScreenPoint{56, 275}));
    EXPECT_EQ(x->anchor, Axes3DLayout::Anchor::TopCentre);
    EXPECT_EQ(labelWith(layout, "0")->at.x, 20);
    EXPECT_EQ(labelWith(layout, "8.1")->at.x, 344);
    // Y 0 ... 511 ticks every 60: 60 at py 31, label right of the frame, 8 pixels up.
    const Axes3DLayout::Label* y = labelWith(layout, "60");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->at, (ScreenPoint{408, 23}));
    EXPECT_EQ(y->anchor, Axes3DLayout::Anchor::TopLeft);
    EXPECT_EQ(labelWith(layout, "480")->at.y, 253 - 8);
    EXPECT_EQ(labelWith(layout, "540"), nullptr);

    int xTicks = 0;
    int yTicks = 0;
    bool frameRight = false;
    bool frameBottom = false;
    for (const Axes3DLayout::Line& line : layout.lines) {
        if (line.from.y == 270 && line.to.y == 275 && line.from.x == line.to.x)
            ++xTicks;
        if (line.from.x == 400 && line.to.x == 404 && line.from.y == line.to.y)
            ++yTicks;
        frameRight |= line.from == ScreenPoint{400, 0} && line.to == ScreenPoint{400, 270};
        frameBottom |= line.from == ScreenPoint{400, 270} && line.to == ScreenPoint{0, 270};
    }
    EXPECT_EQ(xTicks, 10);
    EXPECT_EQ(yTicks, 9);
    EXPECT_TRUE(frameRight && frameBottom) << "the frame along the cells' right and bottom edges";
    EXPECT_EQ(labelWith(layout, "time")->at, (ScreenPoint{200, 292}));
    EXPECT_EQ(labelWith(layout, "freq")->at, (ScreenPoint{405, 0}));
}

// With the bins upwards the values rise from the bottom: 60 at (511 - 60 + 1/2) × 270 / 512.
TEST(Axes3DLayout, SpectrogramTicksFollowTheBinsUpwards)
{
    const FFTSignal data = logOf(10, 512);
    const SpectrogramCells cells(data.level(), 440, 300, true);
    const Axes3DLayout layout = Axes3DLayout::spectrogram(data, cells, {});
    EXPECT_EQ(labelWith(layout, "60")->at.y, 238 - 8);
    EXPECT_EQ(labelWith(layout, "480")->at.y, 16 - 8);
}

TEST(Axes3DLayout, SpectrogramFontLimits)
{
    const FFTSignal narrow = logOf(10, 64);
    EXPECT_EQ(Axes3DLayout::spectrogram(narrow, SpectrogramCells(narrow.level(), 200, 300), {}).fontHeight, 8);
    const FFTSignal wide = logOf(10, 64);
    EXPECT_EQ(Axes3DLayout::spectrogram(wide, SpectrogramCells(wide.level(), 1240, 300), {}).fontHeight, 14);
}

// Seen from the side (azimuth 8, elevation 8: θ = φ = 90°), X = 400 + 0.42767 u and Y = 270 - 0.3849 z.
TEST(Axes3DLayout, MeshFromTheSide)
{
    FFTSignal data = logOf(10, 8);
    data.azimuth = 8;
    data.elevation = 8;
    const Axes3DLayout layout = Axes3DLayout::mesh(data, {"X", "Y", "Z"});
    EXPECT_EQ(layout.fontHeight, 14);
    ASSERT_EQ(layout.lines.size(), 9u);
    // The vertical edge from z 510 to -500 at u = -505.
    EXPECT_EQ(layout.lines[0].from, (ScreenPoint{184, 73}));
    EXPECT_EQ(layout.lines[0].to, (ScreenPoint{184, 462}));
    // First and last row values at u = -505 and +505: x sum 799 lies left of 800, so right-aligned.
    const Axes3DLayout::Label* first = labelWith(layout, "0");
    const Axes3DLayout::Label* last = labelWith(layout, "9");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->at, (ScreenPoint{184, 462}));
    EXPECT_EQ(last->at, (ScreenPoint{615, 462}));
    EXPECT_EQ(first->anchor, Axes3DLayout::Anchor::TopRight);
    EXPECT_EQ(last->anchor, Axes3DLayout::Anchor::TopRight);
    EXPECT_EQ(labelWith(layout, "Z")->anchor, Axes3DLayout::Anchor::Upward);
    EXPECT_EQ(labelWith(layout, "Z")->at, (ScreenPoint{164, 346}));
}

// Seen from the other side the row values swap their ends.
TEST(Axes3DLayout, MeshFromTheOtherSideSwapsTheRowEnds)
{
    FFTSignal data = logOf(10, 8);
    data.azimuth = 26;
    data.elevation = 8;
    const Axes3DLayout layout = Axes3DLayout::mesh(data, {"X", "Y", "Z"});
    const Axes3DLayout::Label* first = labelWith(layout, "0");
    const Axes3DLayout::Label* last = labelWith(layout, "9");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->at, (ScreenPoint{615, 462}));
    EXPECT_EQ(last->at, (ScreenPoint{184, 462}));
}

// The row values at azimuth 13 (elevation 3) lie at x 443 and 720, right of the centre: left-aligned;
// at azimuth 4 at 81 and 412: right-aligned.
TEST(Axes3DLayout, MeshPairsAlignAwayFromTheCentre)
{
    FFTSignal data = logOf(10, 8);
    data.elevation = 3;
    data.azimuth = 13;
    Axes3DLayout layout = Axes3DLayout::mesh(data, {});
    EXPECT_EQ(labelWith(layout, "0")->at.x, 443);
    EXPECT_EQ(labelWith(layout, "9")->at.x, 720);
    EXPECT_EQ(labelWith(layout, "0")->anchor, Axes3DLayout::Anchor::TopLeft);
    data.azimuth = 4;
    layout = Axes3DLayout::mesh(data, {});
    EXPECT_EQ(labelWith(layout, "0")->at.x, 81);
    EXPECT_EQ(labelWith(layout, "9")->anchor, Axes3DLayout::Anchor::TopRight);
}

TEST(Axes3DLayout, MeshFontFollowsTheVirtualExtent)
{
    FFTSignal data = logOf(10, 8);
    data.azimuth = 15;
    data.elevation = 3;
    data.virtualWidth = 300;
    EXPECT_EQ(Axes3DLayout::mesh(data, {}).fontHeight, 10);
    data.virtualWidth = 400;
    EXPECT_EQ(Axes3DLayout::mesh(data, {}).fontHeight, 12);
    data.virtualWidth = 1064;
    EXPECT_EQ(Axes3DLayout::mesh(data, {}).fontHeight, 14);
}

TEST(PictureScale, ThreeReductionsAndBack)
{
    FFTSignal data;
    const int want[][2] = {{880, 693}, {968, 762}, {1064, 838}};
    for (const auto& step : want) {
        PictureScale::reduce(data);
        EXPECT_EQ(data.virtualWidth, step[0]);
        EXPECT_EQ(data.virtualHeight, step[1]);
    }
    data.virtualWidth = 880;
    data.virtualHeight = 693;
    ASSERT_TRUE(PictureScale::enlarge(data));
    EXPECT_EQ(data.virtualWidth, 800);
    EXPECT_EQ(data.virtualHeight, 630);
    ASSERT_TRUE(PictureScale::enlarge(data));
    EXPECT_EQ(data.virtualWidth, 727);
    EXPECT_EQ(data.virtualHeight, 572);
}

TEST(PictureScale, EnlargingStopsBeforeAnEmptyExtent)
{
    FFTSignal data;
    int presses = 0;
    while (PictureScale::enlarge(data))
        ASSERT_LT(++presses, 200);
    EXPECT_GE(data.virtualWidth, 1);
    EXPECT_GE(data.virtualHeight, 1);
    EXPECT_EQ(int(data.virtualHeight / 1.1), 0);
}

// A Time FFT of the last 40 ms of a recording's second hour: its time ticks read as a clock and apart,
// in the spectrogram and at the mesh's two ends; its frequencies and a log's entries stay plain numbers.
TEST(Axes3DLayout, TimeAxesPastAnHourReadAsAClock)
{
    std::vector<float> x(320);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = float(std::sin(0.3 * double(i)));
    const Signal parent(nullptr, SignalKind::FileSignal, x.data(), uint32_t(x.size()), 8000, 7199.96L);
    FFTSignal data;
    TapWindow tap;
    ASSERT_EQ(data.createTimeFFT(parent, {64, 9, 15, 3, 125, 4000}, hanningMagnitude(), tap), FFTSignal::Result::Done);
    const SpectrogramCells cells(data.level(), 1240, 600);
    const Axes3DLayout spectrogram = Axes3DLayout::spectrogram(data, cells, {});
    std::vector<std::string> times;
    std::vector<std::string> frequencies;
    for (const Axes3DLayout::Label& label : spectrogram.labels)
        (label.anchor == Axes3DLayout::Anchor::TopCentre ? times : frequencies).push_back(label.text);
    ASSERT_GE(times.size(), 5u);
    EXPECT_EQ(times.front().substr(0, 6), "1:59:5");
    for (std::size_t k = 1; k < times.size(); ++k)
        EXPECT_NE(times[k], times[k - 1]);
    ASSERT_FALSE(frequencies.empty());
    for (const std::string& f : frequencies)
        EXPECT_EQ(f.find(':'), std::string::npos) << f;

    data.elevation = 3;
    const Axes3DLayout mesh = Axes3DLayout::mesh(data, {});
    // Rows 0 and 8 start at 7199.96 and 7199.96 + 8 × 32 / 8000 = 7199.992: a step of 0.004 tells them apart.
    EXPECT_NE(labelWith(mesh, "1:59:59.960"), nullptr);
    EXPECT_NE(labelWith(mesh, "1:59:59.992"), nullptr);
    EXPECT_NE(labelWith(mesh, "4000"), nullptr);

    // A log's rows count its entries, however many.
    FFTSignal log = logOf(10, 8);
    for (int k = 0; k < 4000; ++k)
        ASSERT_TRUE(log.appendLog(*parentOf(std::vector<float>(8, 1.0f), 1)));
    ASSERT_GT(log.rowX(log.level().lastRow), 3600);
    for (const Axes3DLayout::Label& label : Axes3DLayout::spectrogram(log, SpectrogramCells(log.level(), 440, 300), {}).labels)
        EXPECT_EQ(label.text.find(':'), std::string::npos) << label.text;
}
