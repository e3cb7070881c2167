#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWheelEvent>

#include "PaneDriving.h"
#include "signal/SignalKind.h"
#include "tree/DerivedWindows.h"
#include "views/PixelMap.h"
#include "views/ui/ScrolledSignalPane.h"

namespace {
// 10000 samples over 400 columns without axes.
std::vector<float> rampOf(std::size_t n)
{
    std::vector<float> samples(n);
    for (std::size_t i = 0; i < n; ++i)
        samples[i] = float(i);
    return samples;
}

void wheel(QWidget& pane, int x, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool horizontal = false)
{
    const QPointF at(x, 50);
    QWheelEvent event(at, pane.mapToGlobal(at), QPoint(), horizontal ? QPoint(delta, 0) : QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&pane, &event);
}

class SignalNavigationTest : public PaneFixture {
protected:
    marluneMDIChild& zoomedWindow()
    {
        marluneMDIChild& child = window(rampOf(10000), 1000);
        EXPECT_TRUE(child.signal()->zoomIn(4000, 4999));
        child.setStep(30);
        return child;
    }
    static std::pair<uint32_t, uint32_t> shown(const marluneMDIChild& child)
    {
        return {child.signal()->firstVisible(), child.signal()->lastVisible()};
    }
};
}  // namespace

TEST_F(SignalNavigationTest, TheWheelStepsAsTheArrowKeysAndCtrlZoomsAboutTheMouse)
{
    marluneMDIChild& child = zoomedWindow();
    TSigWindow& view = pane(child, 400, 200);
    wheel(view, 200, -120);
    EXPECT_EQ(shown(child), std::make_pair(4030u, 5029u));
    wheel(view, 200, 120);
    wheel(view, 200, 120);
    EXPECT_EQ(shown(child), std::make_pair(3970u, 4969u));
    // A horizontal turn scrolls too, and half notches add up to one.
    wheel(view, 200, -60, Qt::NoModifier, true);
    EXPECT_EQ(shown(child).first, 3970u);
    wheel(view, 200, -60, Qt::NoModifier, true);
    EXPECT_EQ(shown(child).first, 4000u);

    // The sample under the mouse, a quarter into the view, stays a quarter into it.
    const uint32_t under = uint32_t(PixelMap(400, 200, false, false, 4000, 1000, 0, 1).xToSample(100));
    wheel(view, 100, 120, Qt::ControlModifier);
    EXPECT_EQ(child.signal()->visibleCount(), 500u);
    EXPECT_NEAR(double(under - child.signal()->firstVisible()) / 499, double(under - 4000) / 999, 0.01);
    EXPECT_EQ(child.caption().front(), '~');
    // Ctrl and the wheel back: the zoom history's previous view.
    wheel(view, 100, -120, Qt::ControlModifier);
    EXPECT_EQ(shown(child), std::make_pair(4000u, 4999u));
}

TEST_F(SignalNavigationTest, AMiddleDragPansAndTheSubtreeFollowsEveryStep)
{
    marluneMDIChild& child = zoomedWindow();
    marluneMDIChild* detrended = DerivedWindows::create(client_, child, SignalKind::Detrended, {});
    ASSERT_NE(detrended, nullptr);
    TSigWindow& view = pane(child, 400, 200);
    mouse(view, QEvent::MouseButtonPress, 300, Qt::MiddleButton, Qt::MiddleButton);
    // 100 pixels of 400 are a quarter of the 1000 samples shown: the signal moves with the mouse.
    move(view, 200, Qt::MiddleButton);
    EXPECT_EQ(shown(child), std::make_pair(4250u, 5249u));
    EXPECT_EQ(detrended->signal()->xOffset(), child.signal()->firstVisibleX());
    move(view, 400, Qt::MiddleButton);
    EXPECT_EQ(shown(child), std::make_pair(3750u, 4749u));
    EXPECT_EQ(detrended->signal()->xOffset(), child.signal()->firstVisibleX());
    mouse(view, QEvent::MouseButtonRelease, 400, Qt::MiddleButton, Qt::NoButton);
    move(view, 100);
    EXPECT_EQ(shown(child).first, 3750u);
    // A drag past the start stops at the first sample.
    mouse(view, QEvent::MouseButtonPress, 0, Qt::MiddleButton, Qt::MiddleButton);
    move(view, 4000, Qt::MiddleButton);
    EXPECT_EQ(shown(child), std::make_pair(0u, 999u));
}

TEST_F(SignalNavigationTest, TheScrollBarSpansTheWholeSignalAndMovesTheView)
{
    marluneMDIChild& child = zoomedWindow();
    client_.setActiveChild(&child);
    ScrolledSignalPane frame(child);
    frame.resize(400, 220);
    QScrollBar& bar = frame.scrollBar();
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.maximum(), 9000);
    EXPECT_EQ(bar.pageStep(), 1000);
    EXPECT_EQ(bar.value(), 4000);
    bar.setValue(8999);
    EXPECT_EQ(shown(child), std::make_pair(8999u, 9998u));
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(shown(child).first, 7999u);
    // Keys move the view; the bar follows without moving it again.
    key(frame.pane(), Qt::Key_Left);
    EXPECT_EQ(bar.value(), 7969);
    key(frame.pane(), Qt::Key_Up);
    EXPECT_FALSE(bar.isEnabled());
    EXPECT_EQ(shown(child), std::make_pair(0u, 9999u));
}

TEST(SignalNavigationCore, ScrollingAndZoomingAboutASampleStayInsideTheSignal)
{
    ScriptedUi ui;
    marluneMDIClient client(ui, scratchFolder("navigation"));
    const std::vector<float> samples = rampOf(100);
    auto* child = static_cast<marluneMDIChild*>(client.addWindow(std::make_unique<marluneMDIChild>(
        client, SignalKind::FileSignal,
        std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 100u, 10.0L))));
    // Everything shown: nothing scrolls; a zoom about the last sample keeps it the last one shown.
    EXPECT_FALSE(child->scrollTo(10));
    ASSERT_TRUE(child->zoomInAbout(99));
    EXPECT_EQ(child->signal()->lastVisible(), 99u);
    EXPECT_EQ(child->signal()->visibleCount(), 50u);
    EXPECT_TRUE(child->scrollTo(0));
    EXPECT_EQ(child->signal()->firstVisible(), 0u);
    EXPECT_TRUE(child->scrollTo(1000));
    EXPECT_EQ(child->signal()->lastVisible(), 99u);
    EXPECT_FALSE(child->scrollTo(1000));
    // 50 samples halve to 25, then 12 is too few to show.
    EXPECT_TRUE(child->zoomInAbout(60));
    EXPECT_FALSE(child->zoomInAbout(60));
    EXPECT_FALSE(child->zoomInAbout(5));
}
