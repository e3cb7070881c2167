#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "QtTestApp.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/PlotSpace.h"
#include "views/ui/LogicalText.h"
#include "views/ui/SignalPicture.h"
#include "views/ui/TSigWindow.h"

namespace {
// The smallest rectangle that holds every pixel of `region` that is not white; empty when all are.
QRect ink(const QImage& image, const QRect& region)
{
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (!isWhite(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The text alone, drawn as the panes draw their labels, cut down to its ink.
QImage glyphs(const QString& text, int pixelSize)
{
    QImage image(200, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(LogicalText::font(pixelSize));
    painter.setPen(Qt::black);
    painter.drawText(QRect(20, 20, 180, 60), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    return image.copy(ink(image, image.rect()));
}

// A painter set up as a pane with axes of this device size sets up its logical space.
int labelPixels(int width, int height, double logicalHeight)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const PlotSpace space = PlotSpace::of(width, height, true);
    painter.setWindow(0, 0, space.windowWidth, space.windowHeight);
    painter.setViewport(space.viewportX, space.viewportY, space.viewportWidth, space.viewportHeight);
    return LogicalText(painter, logicalHeight).font().pixelSize();
}

class AxisTextTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }

    // A window with axes over `count` samples at `rate`, its Y range held at min ... max.
    marluneMDIChild& window(uint32_t count, long double rate, float min, float max)
    {
        std::vector<float> samples(count, min);
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), count, rate);
        auto* child = static_cast<marluneMDIChild*>(
            client_.addWindow(std::make_unique<marluneMDIChild>(client_, SignalKind::FileSignal, std::move(signal))));
        child->setDrawAxes(true);
        child->setFixedMinMax(true);
        child->signal()->setYRange(max, min);
        return *child;
    }

    ScriptedUi ui_;
    marluneMDIClient client_{ui_, scratchFolder("axistext")};
};
}  // namespace

TEST_F(AxisTextTest, LabelHeightFollowsThePaneBetween9And16Pixels)
{
    // 32 logical units of 1100 over the pane's height, rounded, within 9 ... 16.
    for (const int height : {50, 100, 200, 300, 309, 310, 440, 500, 550, 570, 2200}) {
        const int expected = std::clamp(int(std::lround(32.0 * height / 1100)), 9, 16);
        EXPECT_EQ(labelPixels(800, height, 32), expected) << height;
    }
    EXPECT_EQ(labelPixels(800, 440, 36), 14);
}

TEST_F(AxisTextTest, ATextAcrossAnEdgeIsMovedInWhole)
{
    const QString text = "-12.345";
    const QImage alone = glyphs(text, 13);
    const QRect inside(0, 0, 300, 200);
    // Logical points (a window of the device's own size) that put the text across each edge.
    const std::vector<QPointF> places{{-20, 80}, {280, 80}, {100, -9}, {100, 195}, {295, -5}};
    for (const QPointF& at : places) {
        QImage image(inside.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setPen(Qt::black);
        // 13 pixels: 13 logical units at a scale of 1.
        LogicalText(painter, 13, inside).topLeft(at.x(), at.y(), text);
        painter.end();
        const QRect box = ink(image, image.rect());
        EXPECT_TRUE(inside.contains(box)) << at.x() << "," << at.y();
        EXPECT_EQ(image.copy(box), alone) << at.x() << "," << at.y();
    }

    // Without an area to keep to, the text is cut off at the edge.
    QImage image(inside.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    LogicalText(painter, 13).topLeft(-20, 80, text);
    painter.end();
    EXPECT_LT(ink(image, image.rect()).width(), alone.width());
}

TEST_F(AxisTextTest, TiledPanesShowReadableLabelsAndLargePanesModestOnes)
{
    // Y range 0 ... 1000.5: ticks every 200, far enough apart that each label's ink stands alone.
    marluneMDIChild& child = window(1001, 1000, 0, 1000.5f);
    TSigWindow pane(child);
    // Five windows tiled on a screen leave each pane about 100 pixels high.
    const QImage small = pane.render(QSize(800, 100));
    const QRect smallLabel = ink(small, QRect(0, 0, 78, 12));
    EXPECT_GE(smallLabel.height(), 6) << "9-pixel digits";
    const QImage large = pane.render(QSize(1000, 2200));
    // The "1000" label at the top of the plot; the tick below it ("800") is 400 rows further down.
    const QRect largeLabel = ink(large, QRect(0, 0, 98, 100));
    EXPECT_GE(largeLabel.height(), 10);
    EXPECT_LE(largeLabel.height(), 13) << "16-pixel digits";
}

TEST_F(AxisTextTest, LabelsAtTheTopAndRightEdgesAreShownWhole)
{
    // 400 x 440 with axes: labels of 13 pixels; the plot spans x 40 ... 403 and y 0 ... 400.
    // Y range 0 ... 1000.5: the tick 1000 lies on the top row, its label would start 8 rows above it.
    // X 0 ... 0.905: the tick 0.9 lies at logical 397.8, device 401, its label would start at 398.
    marluneMDIChild& child = window(182, 200, 0, 1000.5f);
    TSigWindow pane(child);
    const QImage image = pane.render(QSize(400, 440));

    const QRect top = ink(image, QRect(0, 0, 39, 40));
    EXPECT_EQ(image.copy(top), glyphs("1000", 13));

    // The label "0.8" ends near x 370; the region right of it holds only "0.9".
    const QRect right = ink(image, QRect(374, 402, 26, 30));
    EXPECT_EQ(image.copy(right), glyphs("0.9", 13));
}

// A recording's X axis counts seconds, so past an hour its labels read as a clock; a spectrum's, in hertz,
// never does, however high its frequencies.
TEST_F(AxisTextTest, TheSignalPanesTellTimeAxesFromFrequencyAxes)
{
    marluneMDIChild& recording = window(4096, 8000, -1, 1);
    EXPECT_TRUE(SignalPicture::Look::of(recording).secondsX);
    marluneMDIChild* spectrum = DerivedWindows::create(client_, recording, SignalKind::Spectrum);
    ASSERT_NE(spectrum, nullptr);
    EXPECT_FALSE(SignalPicture::Look::of(*spectrum).secondsX);
}
