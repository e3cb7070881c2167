#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "PaneDriving.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "instruments/InstrumentKinds.h"
#include "instruments/marlune1DChild.h"
#include "instruments/ui/crtezAnalog.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "views/ui/TJoinWindow.h"
#include "views/ui/crtez.h"

namespace {
// A signal pane whose inversion a test can call directly.
class InvertingPane : public TSigWindow {
public:
    using TSigWindow::TSigWindow;
    using ChildPane::invert;
};

class ChildPaneTest : public PaneFixture {};
}  // namespace

TEST_F(ChildPaneTest, APaneGoneBeforeItsWindowIsNeverToldAgain)
{
    marluneMDIChild& child = window(std::vector<float>(100, 3.0f), 1000);
    auto pane = std::make_unique<TSigWindow>(child);
    pane->resize(200, 100);
    pane->grab();
    pane.reset();
    child.repaint();
    child.scrolled(4);
    child.setSelection(std::nullopt);
    EXPECT_TRUE(child.command(Cmd::CopyPicture));
    EXPECT_FALSE(ui_.picture) << "no pane is left to copy a picture";
    client_.closeWindow(&child);
}

TEST_F(ChildPaneTest, InvertingTheSameRectangleTwiceRestoresEveryPixel)
{
    marluneMDIChild& child = window(std::vector<float>(100, 3.0f), 1000);
    InvertingPane pane(child);
    pane.resize(300, 200);
    pane.grab();
    const QImage picture = pane.backBuffer().copy();
    pane.invert(QRect(40, 90, 120, 30));
    EXPECT_EQ(pane.backBuffer().pixelColor(60, 100), QColor(255, 255, 0)) << "the blue curve turns yellow";
    EXPECT_EQ(pane.backBuffer().pixelColor(60, 95), QColor(0, 0, 0)) << "white turns black";
    EXPECT_EQ(changedColumns(picture, pane.backBuffer()).size(), 120u);
    pane.invert(QRect(40, 90, 120, 30));
    EXPECT_EQ(pane.backBuffer(), picture);
}

// Each pane asks its window for the status bar: an overlay shows its main parent's signal bar, an
// instrument has no read-outs and leaves the bars as they are.
TEST_F(ChildPaneTest, FocusShowsTheStatusBarTheWindowChooses)
{
    marluneMDIChild& main = window(zeros(1000), 1000, SignalKind::FileSignal, "main", 1.5L);
    marluneMDIChild& other = window(zeros(500), 500);
    marluneJoinChild* overlay = marluneJoinChild::create(client_, {&main, &other}, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    TJoinWindow overlayPane(*overlay);
    ui_.statusBar3D = true;
    focus(overlayPane, QEvent::FocusIn);
    EXPECT_FALSE(ui_.statusBar3D);
    EXPECT_EQ(status(StatusField::RangeFrom), "1.500");
    EXPECT_EQ(status(StatusField::SampleRate), "1000.000");

    auto* instrument =
        dynamic_cast<marlune1DChild*>(DerivedWindows::createChild(client_, main, InstrumentKinds::Maximum));
    ASSERT_NE(instrument, nullptr);
    crtezAnalog instrumentPane(*instrument);
    ui_.statusBar3D = true;
    ui_.status.clear();
    focus(instrumentPane, QEvent::FocusIn);
    EXPECT_TRUE(ui_.statusBar3D);
    EXPECT_TRUE(ui_.status.empty());
}

// The frame asks the active window too: clicking from a signal pane to a 3D pane and back switches the bars.
TEST(ChildPaneFrame, AClickActivatesThePaneAndSwitchesTheStatusBar)
{
    qtApp();
    marluneApp app(scratchFolder("childpane"));
    MainFrame& frame = app.frame();
    frame.show();
    std::vector<float> samples(64);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(i % 16);
    auto* signal = static_cast<marluneMDIChild*>(app.client().addWindow(std::make_unique<marluneMDIChild>(
        app.client(), SignalKind::FileSignal,
        std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 64u, 8000.0L))));
    marlune3DChild* log = marlune3DChild::createLog(app.client(), *signal, 10);
    ASSERT_NE(log, nullptr);
    settle();
    QWidget* signalPane = nullptr;
    QWidget* logPane = nullptr;
    for (QMdiSubWindow* subWindow : frame.mdiArea()->subWindowList())
        if (auto* pane = subWindow->findChild<ChildPane*>())
            (qobject_cast<crtez*>(pane) ? logPane : signalPane) = pane;
    ASSERT_TRUE(signalPane && logPane);
    const auto click = [](QWidget* pane) {
        const QPointF at(20, 20);
        QMouseEvent press(QEvent::MouseButtonPress, at, pane->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(pane, &press);
        settle();
    };

    click(logPane);
    EXPECT_EQ(app.client().activeChild(), log);
    EXPECT_FALSE(frame.statusBars().bar3D()->isHidden());
    EXPECT_TRUE(frame.statusBars().signalBar()->isHidden());
    click(signalPane);
    EXPECT_EQ(app.client().activeChild(), signal);
    EXPECT_TRUE(frame.statusBars().bar3D()->isHidden());
    EXPECT_EQ(frame.statusBars().text(StatusField::SampleRate), "8000.000");
    app.client().closeAll();
    settle();
}
