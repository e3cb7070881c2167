#include <gtest/gtest.h>

#include <QMenu>

#include "QtTestApp.h"
#include "instruments/InstrumentKinds.h"
#include "kinds/WindowKindRegistration.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/CtrlPaintWindow.h"
#include "views/ui/TJoinWindow.h"

namespace {
class OverlayPaneTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }
    ScriptedUi ui;
    marluneMDIClient client{ui, "/nonexistent/"};

    // A window whose 200 samples all have the value v.
    marluneMDIChild* level(float v)
    {
        const std::vector<float> samples(200, v);
        auto w = std::make_unique<marluneMDIChild>(
            client, SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 200, 1000));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#level");
        return static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
    }
    static bool rowHas(const QImage& image, int row, QColor colour)
    {
        for (int y = row - 2; y <= row + 2; ++y)
            if (image.pixelColor(image.width() / 2, y) == colour)
                return true;
        return false;
    }
    static QStringList texts(const QMenu& menu)
    {
        QStringList list;
        for (const QAction* action : menu.actions())
            list << action->text();
        return list;
    }
};
}  // namespace

// Eight signals at the levels 1 ... 8 of a fixed range 0 ... 9: each in its colour i mod 7, the
// eighth red again.
TEST_F(OverlayPaneTest, EachSignalInItsColourAndTheEighthRedAgain)
{
    std::vector<marluneMDIChild*> windows;
    for (int i = 0; i < 8; ++i)
        windows.push_back(level(float(i + 1)));
    marluneJoinChild* overlay = marluneJoinChild::create(client, windows, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    CurveDisplay display = overlay->display();
    display.axes = false;
    display.fixedRange = true;
    overlay->setDisplay(display);
    overlay->setYRange(9, 0);
    TJoinWindow pane(*overlay);
    const QImage picture = pane.render(QSize(400, 450));
    // Level v lies at 1000 - v * 1000 / 9 of 1000 logical rows.
    const auto rowOf = [](int v) { return (1000 - v * 1000 / 9) * 450 / 1000; };
    EXPECT_TRUE(rowHas(picture, rowOf(1), QColor(255, 0, 0)));
    EXPECT_TRUE(rowHas(picture, rowOf(2), QColor(0, 0, 0)));
    EXPECT_TRUE(rowHas(picture, rowOf(3), QColor(0, 0, 255)));
    EXPECT_TRUE(rowHas(picture, rowOf(7), QColor(128, 128, 128)));
    EXPECT_TRUE(rowHas(picture, rowOf(8), QColor(255, 0, 0))) << "the eighth signal";
    EXPECT_TRUE(isWhite(picture, 200, rowOf(0) - 10));
}

// Three parents stacked: three bands of a third of the height each, a dotted grey line on top of each,
// the remainder of the division left white at the bottom.
TEST_F(OverlayPaneTest, StackedBandsShareTheHeightEqually)
{
    marluneMDIChild* a = level(1);
    marluneMDIChild* b = level(2);
    marluneMDIChild* c = level(3);
    b->setCurveColour({0, 160, 0});
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b, c}, SignalKind::StackedOverlay);
    ASSERT_NE(overlay, nullptr);
    TJoinWindow pane(*overlay);
    pane.resize(300, 302);
    const QImage picture = pane.render(pane.size());
    const auto count = [&picture](int from, int to, QColor colour) {
        int n = 0;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < picture.width(); ++x)
                n += picture.pixelColor(x, y) == colour;
        return n;
    };
    EXPECT_GT(count(100, 101, QColor(192, 192, 192)), 50) << "the top of the second band";
    EXPECT_GT(count(200, 201, QColor(192, 192, 192)), 50);
    EXPECT_GT(count(101, 200, QColor(0, 160, 0)), 100) << "the second signal in the second band";
    EXPECT_EQ(count(0, 100, QColor(0, 160, 0)) + count(200, 302, QColor(0, 160, 0)), 0);
    EXPECT_EQ(count(300, 302, QColor(Qt::white)), 2 * 300) << "the remainder stays empty";
    EXPECT_EQ(pane.signalAtRow(150), b);
    EXPECT_EQ(pane.signalAtRow(301), nullptr);

    // The band's menu names its signal; the form switch is not checked here.
    QMenu menu;
    pane.fillContextMenu(menu, 250);
    EXPECT_EQ(menu.actions().front()->text(), QString::fromStdString(c->title()));
    const QAction* form = menu.actions()[2];
    EXPECT_EQ(form->text(), "Show in one coord. system");
    EXPECT_FALSE(form->isChecked());
}

TEST_F(OverlayPaneTest, TheOverlayMenuAddsAndRemovesSignals)
{
    marluneMDIChild* a = level(1);
    marluneMDIChild* b = level(2);
    marluneMDIChild* c = level(3);
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b}, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    TJoinWindow pane(*overlay);
    QMenu menu;
    pane.fillContextMenu(menu, 0);
    const QStringList items = texts(menu);
    ASSERT_GE(items.size(), 6);
    EXPECT_EQ(items[0], QString::fromStdString(a->title()));
    EXPECT_EQ(items[1], QString::fromStdString(b->title()));
    EXPECT_TRUE(items.contains("Add signal"));
    EXPECT_TRUE(items.contains("Remove signal"));
    EXPECT_EQ(items.indexOf("Show in one coord. system"), 6);
    EXPECT_TRUE(menu.actions()[6]->isChecked());

    QMenu* add = menu.actions()[3]->menu();
    ASSERT_NE(add, nullptr);
    ASSERT_EQ(texts(*add), QStringList{QString::fromStdString(c->title())}) << "only windows not shown yet";
    add->actions().front()->trigger();
    EXPECT_EQ(overlay->parents().size(), 3u);

    QMenu again;
    pane.fillContextMenu(again, 0);
    QMenu* remove = again.actions()[5]->menu();
    ASSERT_NE(remove, nullptr);
    ASSERT_EQ(remove->actions().size(), 3);
    remove->actions()[0]->trigger();
    EXPECT_EQ(overlay->mainSignal(), b) << "removing the main parent makes the next one the main parent";
}

// The control window's menus: the window's own by its kind, the merge entries only for two or more
// selected signal windows.
TEST_F(OverlayPaneTest, TheControlWindowMenusFollowKindAndSelection)
{
    registerWindowKinds(client, nullptr);
    marluneMDIChild* a = level(1);
    marluneMDIChild* b = level(2);
    marluneChild* instrument = DerivedWindows::createChild(client, *a, InstrumentKinds::Maximum);
    ASSERT_NE(instrument, nullptr);
    CtrlPaintWindow paint(client);

    QMenu instrumentMenu;
    paint.fillWindowMenu(instrumentMenu, *instrument);
    EXPECT_EQ(texts(instrumentMenu),
              (QStringList{"Link", "Unlink", "", "Mesh", "Ruler", "Spectrogram view", "Adjust colors"}));
    QMenu signalMenu;
    paint.fillWindowMenu(signalMenu, *a);
    EXPECT_TRUE(texts(signalMenu).contains("Zoom pow2..."));
    EXPECT_EQ(texts(signalMenu).back(), "Replace with...") << "a file window of kind 15";
    QMenu derivedMenu;
    paint.fillWindowMenu(derivedMenu, *DerivedWindows::createChild(client, *a, SignalKind::Detrended));
    EXPECT_FALSE(texts(derivedMenu).contains("Replace with...")) << "only the windows the command serves offer it";

    paint.selection().toggle(a->index());
    paint.selection().toggle(instrument->index());
    QMenu one;
    paint.fillBackgroundMenu(one);
    EXPECT_FALSE(texts(one).contains("Show selected as overlay"));
    paint.selection().toggle(b->index());
    QMenu two;
    paint.fillBackgroundMenu(two);
    const QStringList items = texts(two);
    EXPECT_EQ(items.mid(items.size() - 2), (QStringList{"Show selected in one window", "Show selected as overlay"}));
    two.actions().back()->trigger();
    auto* overlay = dynamic_cast<marluneJoinChild*>(client.window(client.highestIndex()));
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->parents(), (std::vector<marluneChild*>{a, b}));
}
