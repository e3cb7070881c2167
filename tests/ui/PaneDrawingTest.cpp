#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QMouseEvent>
#include <memory>
#include <vector>

#include "QtTestApp.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/MarkerSource.h"
#include "views/ui/TSigWindow.h"

namespace {
// An instrument that marks one sample of its parent.
class MarkingInstrument : public marluneChild, public MarkerSource {
public:
    MarkingInstrument(marluneMDIClient& client, Marker marker) : marluneChild(client, 74), marker_(std::move(marker)) {}
    std::optional<Marker> marker() const override { return marker_; }

protected:
    bool recomputeFromParents() override { return true; }

private:
    Marker marker_;
};

class PaneDrawingTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }

    marluneMDIChild& window(const std::vector<float>& samples, bool axes, long double rate = 8000)
    {
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(),
                                               uint32_t(samples.size()), rate);
        auto* child = static_cast<marluneMDIChild*>(
            client_.addWindow(std::make_unique<marluneMDIChild>(client_, SignalKind::FileSignal, std::move(signal))));
        child->setDrawAxes(axes);
        return *child;
    }

    static int countColour(const QImage& image, const QColor& colour, int left, int top, int right, int bottom)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += image.pixelColor(x, y) == colour;
        return count;
    }

    static int marked(const QImage& image, int left, int top, int right, int bottom)
    {
        return (right - left) * (bottom - top) - countColour(image, Qt::white, left, top, right, bottom);
    }

    ScriptedUi ui_;
    marluneMDIClient client_{ui_, scratchFolder("panedrawing")};
};

std::vector<float> alternating(std::size_t n)
{
    std::vector<float> samples(n);
    for (std::size_t i = 0; i < n; ++i)
        samples[i] = i % 2 ? 1.0f : -1.0f;
    return samples;
}
}  // namespace

TEST_F(PaneDrawingTest, FifteenHundredSamplesAtWidth500AreAPolyline)
{
    // 1500 <= 3 W: a polyline through every sample; sample 1498 lies at 1498 * 500 / 1499 = 499.67,
    // so the last device column is drawn.
    TSigWindow pane(window(alternating(1500), false));
    const QImage image = pane.render(QSize(500, 200));
    EXPECT_GT(marked(image, 499, 0, 500, 200), 0);
}

TEST_F(PaneDrawingTest, FifteenHundredAndOneSamplesAre499Columns)
{
    // 1501 > 3 W: columns 0 ... 498, each spanning -1 ... 1; column 499 stays empty.
    TSigWindow pane(window(alternating(1501), false));
    const QImage image = pane.render(QSize(500, 200));
    for (int x = 0; x < 499; ++x)
        ASSERT_EQ(marked(image, x, 0, x + 1, 200), 200) << x;
    EXPECT_EQ(marked(image, 499, 0, 500, 200), 0);
}

TEST_F(PaneDrawingTest, SymmetricRangeShowsTheZeroLineAndTheZeroLabel)
{
    // Range -1 ... 1 with axes at 800 x 440: logical y 500 is device row 500 * 440 / 1100 = 200,
    // the plot spans x 80 ... 807. The curve sits at the top (value 1) but for its last sample.
    std::vector<float> samples(100, 1.0f);
    samples.back() = -1;
    TSigWindow pane(window(samples, true));
    const QImage image = pane.render(QSize(800, 440));
    const QColor green(0, 255, 0);
    EXPECT_GT(countColour(image, green, 81, 200, 790, 201), 700);
    EXPECT_EQ(countColour(image, green, 0, 0, 800, 199), 0);
    EXPECT_EQ(countColour(image, green, 0, 202, 800, 440), 0);
    // The "0" label ends at logical (-2, 480): device x 78, from row 192 down.
    EXPECT_GT(marked(image, 60, 192, 79, 210), 0);
    // The tick "0.2" is at logical y 400 (row 160), its label from row 152; nothing between the labels.
    EXPECT_EQ(marked(image, 0, 174, 79, 190), 0);
}

TEST_F(PaneDrawingTest, XTicksOf0To250StepBy30)
{
    // 251 samples at 1 Hz: X 0 ... 250, step 30. W = 550 with axes: sx = 2.2, tick t at logical
    // 2.2 t, device x = 55 + 2.2 t * 550 / 605 = 55 + 2 t. H = 440: ticks from row 388 to 400.
    std::vector<float> samples(251, -1.0f);
    samples[0] = 1;
    TSigWindow pane(window(samples, true, 1));
    const QImage image = pane.render(QSize(550, 440));
    const QColor black(0, 0, 0);
    for (int t = 30; t <= 240; t += 30) {
        const int x = 55 + 2 * t;
        EXPECT_GT(countColour(image, black, x - 1, 390, x + 2, 398), 0) << t;
    }
    // Between two ticks the tick band is empty.
    for (int t = 0; t < 240; t += 30)
        EXPECT_EQ(countColour(image, black, 55 + 2 * t + 25, 390, 55 + 2 * t + 35, 398), 0) << t;
}

TEST_F(PaneDrawingTest, MarkerNearTheTopHangsBelowItsPoint)
{
    // 101 samples, all 0 but sample 50 = 10: the marked point is at logical (200, 0), the top row.
    std::vector<float> samples(101, 0.0f);
    samples[50] = 10;
    marluneMDIChild& signalWindow = window(samples, false);
    Marker marker;
    marker.position = 50;
    marker.value = 10;
    marker.showValue = true;
    marker.name = "Max";
    auto* instrument = client_.addWindow(std::make_unique<MarkingInstrument>(client_, marker));
    instrument->attachToParents({&signalWindow});
    TSigWindow pane(signalWindow);
    const QImage image = pane.render(QSize(400, 400));
    const QColor grey(192, 192, 192);
    EXPECT_GT(countColour(image, grey, 170, 10, 230, 120), 50);
    EXPECT_EQ(countColour(image, grey, 0, 0, 400, 3), 0);
}

TEST_F(PaneDrawingTest, CursorAndBandInvertAndComeOffAgain)
{
    std::vector<float> samples(200);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(i % 17);
    marluneMDIChild& child = window(samples, false);
    client_.setActiveChild(&child);
    TSigWindow pane(child);
    pane.resize(400, 300);
    pane.grab();
    const QImage picture = pane.backBuffer().copy();
    const auto move = [&pane](int x, Qt::MouseButtons buttons) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, 100), QPointF(x, 100), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&pane, &event);
    };
    move(100, Qt::NoButton);  // the first move after a paint only re-arms the cursor
    EXPECT_EQ(pane.backBuffer(), picture);
    move(200, Qt::NoButton);
    EXPECT_NE(pane.backBuffer(), picture);
    EXPECT_EQ(pane.backBuffer().pixelColor(200, 10), QColor(Qt::black)) << "white inverted";
    EXPECT_FALSE(ui_.status[StatusField::X].empty());

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 100), QPointF(150, 100), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&pane, &press);
    move(260, Qt::LeftButton);
    ASSERT_TRUE(pane.child()->selection());
    // Plot 0 ... 400 for 200 samples: trunc(199 / 400 * x) gives 74 and 129.
    EXPECT_EQ(pane.child()->selection()->edit, (std::pair<uint32_t, uint32_t>{74, 129}));

    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(&pane, &focusOut);
    EXPECT_EQ(pane.backBuffer(), picture);
    EXPECT_FALSE(pane.child()->selection());
}
