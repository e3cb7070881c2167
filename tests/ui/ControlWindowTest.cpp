#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>

#include "QtTestApp.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/ControlDiagram.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIChild.h"
#include "tree/ui/CtrlPaintWindow.h"

namespace {
class ControlWindowTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }
    marluneApp app_{scratchFolder("control")};

    marluneMDIChild* file()
    {
        std::vector<float> samples(512);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = float(i % 7);
        return static_cast<marluneMDIChild*>(app_.client().addWindow(std::make_unique<marluneMDIChild>(
            app_.client(), SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 512, 1000))));
    }
    CtrlPaintWindow* drawing() { return app_.frame().findChild<CtrlPaintWindow*>(); }
    // Chooses an item of the background menu as the right button builds it.
    static void choose(CtrlPaintWindow& paint, const QString& label)
    {
        QMenu menu;
        paint.fillBackgroundMenu(menu);
        for (QAction* action : menu.actions())
            if (action->text() == label)
                return action->trigger();
        ADD_FAILURE() << "no item " << label.toStdString();
    }
    int controlWindows()
    {
        int count = 0;
        for (QMdiSubWindow* w : app_.frame().findChild<QMdiArea*>()->subWindowList())
            count += w->windowTitle() == "Control Window";
        return count;
    }
};
}  // namespace

TEST_F(ControlWindowTest, OneControlWindowDrawsTheTreeAndSelectsByClick)
{
    marluneMDIChild* root = file();
    marluneChild* child = DerivedWindows::createChild(app_.client(), *root, SignalKind::Detrended);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(app_.router().trigger(Cmd::ControlWindow));
    ASSERT_TRUE(app_.router().trigger(Cmd::ControlWindow));
    EXPECT_EQ(controlWindows(), 1) << "a second command brings the same window to the top";
    CtrlPaintWindow* paint = drawing();
    ASSERT_NE(paint, nullptr);

    const QImage picture = paint->grab(QRect(0, 0, 400, 200)).toImage();
    const ControlDiagram diagram(app_.client());
    const auto lines = diagram.lines();
    ASSERT_EQ(lines.size(), 1u);
    // The middle of the line from the root to its child is red.
    const int midX = (lines[0].x1 + lines[0].x2) / 2;
    const int midY = (lines[0].y1 + lines[0].y2) / 2;
    EXPECT_EQ(picture.pixelColor(midX, midY), QColor(255, 0, 0));
    EXPECT_EQ(picture.pixelColor(5, 195), QColor(Qt::white));

    const SigIco& icon = diagram.icons()[1];
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(icon.x + 10, icon.y + 10), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(paint, &press);
    EXPECT_EQ(paint->selection().selectedSlots(), std::set<int>{child->index()});
    const QImage selected = paint->grab(QRect(0, 0, 400, 200)).toImage();
    // The dotted focus rectangle's right edge at x + 37 (above the label) was all white before.
    const auto inked = [&](const QImage& image) {
        int count = 0;
        for (int y = icon.y - 5; y <= icon.y + 30; ++y)
            count += image.pixelColor(icon.x + 37, y) != QColor(Qt::white);
        return count;
    };
    EXPECT_EQ(inked(picture), 0);
    EXPECT_GT(inked(selected), 10) << "the focus rectangle";

    choose(*paint, "Invert selection");
    EXPECT_EQ(paint->selection().selectedSlots(), std::set<int>{root->index()});
    choose(*paint, "Hide selected");
    EXPECT_FALSE(root->visible());
    choose(*paint, "Select all");
    choose(*paint, "Show selected");
    EXPECT_TRUE(root->visible());
    EXPECT_EQ(paint->selection().selectedSlots().size(), 2u);

    app_.client().closeWindow(child);
    EXPECT_EQ(paint->selection().selectedSlots(), std::set<int>{root->index()}) << "a closed window leaves the selection";
}

// A workspace's ControlWindow section opens the window where it stood, and the frame reports it back.
TEST_F(ControlWindowTest, AWorkspaceOpensTheControlWindowAtItsPlace)
{
    app_.frame().resize(1000, 800);
    app_.frame().show();
    app_.client().openControlWindow({5000, 0, 10000, 5000});
    EXPECT_EQ(controlWindows(), 1);
    QMdiArea* area = app_.frame().findChild<QMdiArea*>();
    const QSize client = area->viewport()->size();
    QMdiSubWindow* control = nullptr;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->windowTitle() == "Control Window")
            control = w;
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry().topLeft(), QPoint(client.width() / 2, 0));
    EXPECT_EQ(app_.client().controlWindow(), (WindowPlacement{5000, 0, 10000, 5000}));
    control->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(app_.client().controlWindow()) << "closed, the workspace writes no section";
}

// While the control window is the active window, the main menus' commands go to its selection, and
// the arrow keys move every selected window.
TEST_F(ControlWindowTest, MenuCommandsAndKeysReachEverySelectedWindow)
{
    marluneMDIChild* a = file();
    marluneMDIChild* b = file();
    for (marluneMDIChild* window : {a, b}) {
        ASSERT_TRUE(window->signal()->zoomIn(0, 99));
        window->setStep(10);
    }
    ASSERT_TRUE(app_.router().trigger(Cmd::ControlWindow));
    CtrlPaintWindow* paint = drawing();
    ASSERT_NE(paint, nullptr);
    EXPECT_FALSE(app_.router().state(Cmd::FFT).enabled) << "nothing selected";
    paint->selection().toggle(a->index());
    paint->selection().toggle(b->index());
    ASSERT_TRUE(app_.router().trigger(Cmd::FFT));
    ASSERT_EQ(app_.client().windows().size(), 4u);
    EXPECT_EQ(app_.client().window(2)->parent(), a);
    EXPECT_EQ(app_.client().window(3)->parent(), b);
    EXPECT_EQ(controlWindows(), 1);

    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(paint, &right);
    EXPECT_EQ(a->signal()->firstVisible(), 10u);
    EXPECT_EQ(b->signal()->firstVisible(), 10u);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(paint, &up);
    EXPECT_EQ(a->signal()->zoomLevel(), 0u) << "Up zooms out";
}

// A tree taller than the scroller's 300 units of 16 pixels makes the drawing area grow, so every
// icon can be scrolled to.
TEST_F(ControlWindowTest, ALargeTreeStaysReachable)
{
    ASSERT_TRUE(app_.router().trigger(Cmd::ControlWindow));
    for (int i = 0; i < 80; ++i)
        file();
    const ControlDiagram diagram(app_.client());
    EXPECT_GT(diagram.height(), 300 * 16);
    EXPECT_GE(drawing()->height(), diagram.height());
}
