#include "DesktopTest.h"

#include "tree/ui/marluneControlWindow.h"

using namespace desktop;

namespace {
// Ctrl+W, which Qt's subwindows take for their own close key under X11.
class ControlWindowKeyTest : public DesktopTest {
protected:
    marluneControlWindow* controlWindow() const
    {
        for (QMdiSubWindow* subWindow : area()->subWindowList())
            if (auto* control = qobject_cast<marluneControlWindow*>(subWindow))
                return control;
        return nullptr;
    }
    bool controlWindowOnTop() const
    {
        const QList<QMdiSubWindow*> stacked = area()->subWindowList(QMdiArea::StackingOrder);
        return controlWindow() && area()->activeSubWindow() == controlWindow() && stacked.last() == controlWindow();
    }
};
}  // namespace

TEST_F(ControlWindowKeyTest, BringsTheControlWindowAboveTheActiveSignalWindow)
{
    activate(firstChannel());
    ASSERT_FALSE(controlWindowOnTop());
    press("ctrl+w");
    EXPECT_TRUE(waitFor([this] { return controlWindowOnTop(); }));
    expectNoShortcutClash();
}

TEST_F(ControlWindowKeyTest, BringsTheControlWindowAboveAMaximizedSignalWindow)
{
    QMdiSubWindow* channel = firstChannel();
    channel->showMaximized();
    activate(channel);
    ASSERT_TRUE(waitFor([channel] { return channel->isMaximized(); }));
    press("ctrl+w");
    EXPECT_TRUE(waitFor([this] { return controlWindowOnTop(); }));
    // The MDI area shows it maximized in the channel's place, as the frame's title tells the desktop.
    EXPECT_TRUE(controlWindow()->isMaximized());
    const std::string title = "xdotool getwindowname " + std::to_string(frame().winId());
    EXPECT_TRUE(waitFor([&title] { return output(title) == "Marlune - [Control Window]"; })) << output(title);
    expectNoShortcutClash();
}

TEST_F(ControlWindowKeyTest, OpensTheControlWindowAgainOnceItWasClosed)
{
    controlWindow()->close();
    ASSERT_TRUE(waitFor([this] { return controlWindow() == nullptr; }));
    activate(firstChannel());
    press("ctrl+w");
    EXPECT_TRUE(waitFor([this] { return controlWindowOnTop(); }));
    EXPECT_EQ(area()->subWindowList().size(), 3);
    expectNoShortcutClash();
}
