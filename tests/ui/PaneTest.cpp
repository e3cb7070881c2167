#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "QtTestApp.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "signal/TrackSignal.h"
#include "support/ScriptedUi.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ui/TSigWindow.h"

namespace {
class PaneTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }

    marluneMDIChild& window(const std::vector<float>& samples, bool axes)
    {
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(),
                                               uint32_t(samples.size()), 8000.0L);
        child_ = std::make_unique<marluneMDIChild>(client_, SignalKind::FileSignal, std::move(signal));
        child_->setDrawAxes(axes);
        return *child_;
    }

    // Pixels that are not white, inside [left, right) x [top, bottom).
    static int marked(const QImage& image, int left, int top, int right, int bottom)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += !isWhite(image, x, y);
        return count;
    }

    ScriptedUi ui_;
    marluneMDIClient client_{ui_, scratchFolder("pane")};
    std::unique_ptr<marluneMDIChild> child_;
};
}  // namespace

TEST_F(PaneTest, ThreeVisibleSamplesShowOnlyTheInvalidText)
{
    TSigWindow pane(window({1, 2, 3}, false));
    const QImage image = pane.render(QSize(800, 400));
    // The text starts at (10, 10) and is one line high.
    EXPECT_GT(marked(image, 10, 10, 40, 30), 0);
    EXPECT_EQ(marked(image, 0, 0, 800, 10), 0);
    EXPECT_EQ(marked(image, 0, 0, 10, 400), 0);
    EXPECT_EQ(marked(image, 0, 35, 800, 400), 0);
}

TEST_F(PaneTest, FourSamplesAreDrawn)
{
    TSigWindow pane(window({1, 2, 3, 4}, false));
    const QImage image = pane.render(QSize(800, 400));
    EXPECT_TRUE(isWhite(image, 12, 14));
    EXPECT_GT(marked(image, 0, 0, 800, 400), 0);
}

TEST_F(PaneTest, InvalidWindowShowsTheText)
{
    marluneMDIChild& child = window(std::vector<float>(100, 1), false);
    child.setInvalid(true);
    TSigWindow pane(child);
    const QImage image = pane.render(QSize(800, 400));
    EXPECT_GT(marked(image, 10, 10, 40, 30), 0);
    EXPECT_EQ(marked(image, 0, 35, 800, 400), 0);
}

TEST_F(PaneTest, ConstantSignalIsAHorizontalLineInTheMiddle)
{
    // All samples 3: the Y range is 2 ... 4, so the curve lies at logical y 500 of 1000,
    // which is device row 200 of 400.
    TSigWindow pane(window(std::vector<float>(100, 3), false));
    const QImage image = pane.render(QSize(800, 400));
    const QColor blue(0, 0, 255);
    for (int x = 0; x < 800; x += 7)
        EXPECT_EQ(image.pixelColor(x, 200), blue) << x;
    EXPECT_EQ(marked(image, 0, 0, 800, 200), 0);
    EXPECT_EQ(marked(image, 0, 201, 800, 400), 0);
}

TEST_F(PaneTest, WithAxesThePlotStartsATenthOfTheWidthIn)
{
    TSigWindow pane(window(std::vector<float>(100, 3), true));
    const QImage image = pane.render(QSize(800, 400));
    // Viewport origin x = 800 / 10; the curve never enters the strip left of it, which holds the axes.
    const auto blue = [&image](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += image.pixelColor(x, y) == QColor(0, 0, 255);
        return count;
    };
    EXPECT_EQ(blue(0, 0, 80, 400), 0);
    // y 500 of 1100 logical units over 400 rows lies at row 181.8.
    EXPECT_EQ(blue(80, 181, 700, 183), 620);
    EXPECT_EQ(blue(0, 0, 800, 181), 0);
    EXPECT_EQ(blue(0, 183, 800, 400), 0);
}

TEST_F(PaneTest, DenseSignalFillsEveryColumnBetweenItsExtremes)
{
    // 100000 samples alternating -1 and 1 over 800 columns: every column spans the whole range.
    std::vector<float> samples(100000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = i % 2 ? 1.0f : -1.0f;
    marluneMDIChild& child = window(samples, false);
    child.setCurveColour(Rgb{255, 0, 0});
    TSigWindow pane(child);
    const QImage image = pane.render(QSize(800, 400));
    const QColor red(255, 0, 0);
    for (int x = 0; x < 799; x += 13)
        for (int y = 0; y < 400; y += 50)
            EXPECT_EQ(image.pixelColor(x, y), red) << x << "," << y;
    // Columns run 0 ... W - 2: the last column stays empty.
    EXPECT_EQ(marked(image, 799, 0, 800, 400), 0);
}

TEST_F(PaneTest, ClosedWindowLeavesAnEmptyPane)
{
    TSigWindow pane(window(std::vector<float>(100, 3), false));
    pane.detach();
    EXPECT_EQ(pane.child(), nullptr);
    const QImage image = pane.render(QSize(200, 100));
    EXPECT_EQ(marked(image, 0, 0, 200, 100), 0);
}

TEST_F(PaneTest, ALogShowsOnlyItsFilledPart)
{
    auto track = std::make_unique<TrackSignal>(nullptr, 100, 0.0f);
    for (int i = 1; i < 50; ++i)
        track->append(float(i % 7));
    child_ = std::make_unique<marluneMDIChild>(client_, SignalKind::Track, std::move(track));
    child_->setDrawAxes(false);
    TSigWindow pane(*child_);
    const QImage image = pane.render(QSize(500, 200));
    // 50 of 100 values are filled: nothing is drawn right of x = 500 * 50 / 100 - 1.
    EXPECT_GT(marked(image, 200, 0, 250, 200), 0);
    EXPECT_EQ(marked(image, 250, 0, 500, 200), 0);
}
