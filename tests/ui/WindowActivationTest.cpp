#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>

#include "PaneDriving.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "tree/CommandIds.h"
#include "tree/ui/KindIcons.h"

namespace {
const std::string ExampleWav = std::string(MARLUNE_SOURCE_DIR) + "/resources/EXAMPLES/example.wav";
const StatusField AllFields[] = {StatusField::RangeFrom, StatusField::RangeTo, StatusField::X,
                                 StatusField::Y,         StatusField::Step,    StatusField::SampleRate};

QImage pictureOf(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

class WindowActivationTest : public ::testing::Test {
protected:
    void SetUp() override { frame_.show(); }

    void TearDown() override
    {
        app_.client().closeAll();
        settle();
    }

    marluneMDIChild& addWindow(std::vector<float> samples, long double rate)
    {
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(),
                                               uint32_t(samples.size()), rate);
        auto* child = static_cast<marluneMDIChild*>(app_.client().addWindow(
            std::make_unique<marluneMDIChild>(app_.client(), SignalKind::FileSignal, std::move(signal))));
        settle();
        paneOf(*child).grab();
        return *child;
    }

    QMdiSubWindow* subWindowOf(const marluneChild& child) const
    {
        for (QMdiSubWindow* subWindow : frame_.mdiArea()->subWindowList())
            if (subWindow->findChild<TSigWindow*>()->child() == &child)
                return subWindow;
        return nullptr;
    }

    TSigWindow& paneOf(const marluneChild& child) const
    {
        return *subWindowOf(child)->findChild<TSigWindow*>();
    }

    std::string text(StatusField field) const { return frame_.statusBars().text(field).toStdString(); }

    // Two moves: the first after a paint only re-arms the cursor.
    void point(const marluneChild& child, int x)
    {
        move(paneOf(child), x - 1);
        move(paneOf(child), x);
    }

    marluneApp app_{scratchFolder("activation")};
    MainFrame& frame_ = app_.frame();
};
}  // namespace

TEST_F(WindowActivationTest, ReadOutsBelongToTheActiveWindowOnly)
{
    marluneMDIChild& slow = addWindow(std::vector<float>(101, 6.0f), 100);
    marluneMDIChild& fast = addWindow(std::vector<float>(2000, 7.0f), 2000);

    frame_.mdiArea()->setActiveSubWindow(subWindowOf(slow));
    point(slow, 40);
    EXPECT_EQ(text(StatusField::Y), "6");
    EXPECT_EQ(text(StatusField::RangeTo), "1.000");

    // Another window becomes active: its own range and rate, and no X or Y until the mouse points.
    frame_.mdiArea()->setActiveSubWindow(subWindowOf(fast));
    EXPECT_EQ(text(StatusField::RangeTo), "0.999");
    EXPECT_EQ(text(StatusField::SampleRate), "2000.000");
    EXPECT_EQ(text(StatusField::X), "");
    EXPECT_EQ(text(StatusField::Y), "");

    // The mouse over the inactive window writes nothing beside the active window's range.
    point(slow, 60);
    EXPECT_EQ(text(StatusField::X), "");
    EXPECT_EQ(text(StatusField::Y), "");
    point(fast, 60);
    EXPECT_EQ(text(StatusField::Y), "7");

    // The same window activated again keeps what it showed.
    frame_.mdiArea()->setActiveSubWindow(subWindowOf(fast));
    EXPECT_EQ(text(StatusField::Y), "7");

    app_.client().closeWindow(&fast);
    settle();
    EXPECT_EQ(app_.client().activeChild(), &slow);
    EXPECT_EQ(text(StatusField::RangeTo), "1.000");
    EXPECT_EQ(text(StatusField::Y), "");

    app_.client().closeWindow(&slow);
    settle();
    for (const StatusField field : AllFields)
        EXPECT_EQ(text(field), "") << int(field);
}

TEST_F(WindowActivationTest, ARightClickActivatesTheWindowItIsOn)
{
    marluneMDIChild& slow = addWindow(std::vector<float>(101, 6.0f), 100);
    marluneMDIChild& fast = addWindow(std::vector<float>(2000, 7.0f), 2000);
    frame_.mdiArea()->setActiveSubWindow(subWindowOf(fast));
    point(fast, 60);
    ASSERT_EQ(text(StatusField::Y), "7");

    marluneChild* activeWhileOpen = nullptr;
    std::string rangeWhileOpen;
    std::string yWhileOpen;
    withContextMenu(paneOf(slow), QPoint(50, 50), [&](QMenu&) {
        activeWhileOpen = app_.client().activeChild();
        rangeWhileOpen = text(StatusField::RangeTo);
        yWhileOpen = text(StatusField::Y);
    });
    EXPECT_EQ(activeWhileOpen, &slow);
    EXPECT_EQ(frame_.mdiArea()->activeSubWindow(), subWindowOf(slow));
    EXPECT_EQ(rangeWhileOpen, "1.000");
    EXPECT_EQ(yWhileOpen, "");
}

TEST_F(WindowActivationTest, EveryWindowShowsTheIconOfItsKind)
{
    app_.client().openFiles({ExampleWav});
    settle();
    const auto windows = app_.client().windows();
    ASSERT_EQ(windows.size(), 2u);
    frame_.mdiArea()->setActiveSubWindow(subWindowOf(*windows[0]));
    ASSERT_TRUE(app_.router().trigger(Cmd::FFT));
    ASSERT_TRUE(app_.router().trigger(Cmd::Averager));
    settle();
    ASSERT_EQ(app_.client().windows().size(), 4u);

    const QImage application = pictureOf(QApplication::windowIcon());
    std::vector<QImage> shown;
    for (marluneChild* window : app_.client().windows()) {
        const QImage picture = pictureOf(subWindowOf(*window)->windowIcon());
        EXPECT_EQ(picture, pictureOf(kindIcon(window->icon()))) << window->caption();
        EXPECT_NE(picture, application) << window->caption();
        shown.push_back(picture);
    }
    // Both channels of the file (icon 59), the spectrum of the first (56) and the spectrum's averager (24456).
    EXPECT_EQ(app_.client().windows()[0]->icon(), 59);
    EXPECT_EQ(app_.client().windows()[1]->icon(), 59);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_NE(shown[0], shown[2]);
    EXPECT_NE(shown[0], shown[3]);
    EXPECT_NE(shown[2], shown[3]);
}
