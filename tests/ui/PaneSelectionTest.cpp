#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "PaneDriving.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "views/ClipboardBlock.h"

namespace {
// 1000 samples at 1000 Hz over 400 columns without axes. A band from x 100 to x 300 holds samples
// 250 ... 749 for zooms and extracts (rounded) and 249 ... 749 for edits and the clipboard (truncated).
constexpr int From = 100;
constexpr int To = 300;

std::vector<float> wave(std::size_t n)
{
    std::vector<float> samples(n);
    for (std::size_t i = 0; i < n; ++i)
        samples[i] = float(std::sin(double(i) * 0.05) + 0.001 * double(i));
    return samples;
}

class PaneSelectionTest : public PaneFixture {
protected:
    marluneMDIChild& signalWindow() { return window(wave(1000), 1000); }

    // What the pane shows after its next paint is exactly a fresh drawing: no band, no cursor.
    static void expectBare(TSigWindow& view)
    {
        view.grab();
        EXPECT_FALSE(editRangeOf(view));
        EXPECT_FALSE(zoomRangeOf(view));
        EXPECT_EQ(view.backBuffer(), view.render(view.size()));
    }
};
}  // namespace

TEST_F(PaneSelectionTest, OpeningAMenuKeepsTheBandForTheMenuCommands)
{
    // A popup menu and the menu bar take the keyboard focus while they are open.
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        struct Case {
            int id;
            std::function<void(marluneMDIChild&)> check;
        };
        const std::vector<Case> cases{
            {Cmd::ZoomIn,
             [](marluneMDIChild& child) {
                 EXPECT_EQ(child.signal()->firstVisible(), 250u);
                 EXPECT_EQ(child.signal()->lastVisible(), 749u);
             }},
            {Cmd::Copy,
             [this](marluneMDIChild&) {
                 ASSERT_TRUE(ui_.clipboard);
                 EXPECT_EQ(ClipboardBlock::decode(*ui_.clipboard)->size(), 501u);
             }},
            {Cmd::Cut, [](marluneMDIChild& child) { EXPECT_EQ(child.signal()->count(), 499u); }},
            {Cmd::ExtractSelection,
             [this](marluneMDIChild& child) {
                 const auto windows = client_.windows();
                 ASSERT_EQ(windows.size(), 2u);
                 EXPECT_EQ(windows[1]->parent(), &child);
                 EXPECT_EQ(static_cast<marluneMDIChild*>(windows[1])->signal()->count(), 500u);
             }},
        };
        for (const Case& command : cases) {
            ui_.clipboard.reset();
            marluneMDIChild& child = signalWindow();
            TSigWindow& view = pane(child, 400, 200);
            drag(view, From, To);
            const QImage withBand = view.backBuffer().copy();

            focus(view, QEvent::FocusOut, reason);
            EXPECT_EQ(view.backBuffer(), withBand) << command.id;
            ASSERT_TRUE(client_.dispatchState(command.id)->enabled) << command.id << " " << reason;
            client_.dispatch(command.id);
            command.check(child);
            client_.closeAll();
        }
    }
}

TEST_F(PaneSelectionTest, ARealFocusLossStillDropsTheBand)
{
    for (const Qt::FocusReason reason : {Qt::MouseFocusReason, Qt::TabFocusReason, Qt::ActiveWindowFocusReason}) {
        TSigWindow& view = pane(signalWindow(), 400, 200);
        drag(view, From, To);
        focus(view, QEvent::FocusOut, reason);
        expectBare(view);
        client_.closeAll();
    }
}

TEST_F(PaneSelectionTest, TheBandGoesWithEveryChangeOfTheSamplesItMarked)
{
    struct Case {
        const char* name;
        std::function<void(marluneMDIChild&, TSigWindow&)> change;
    };
    const std::vector<Case> cases{
        {"zoom in to the band", [](marluneMDIChild&, TSigWindow& view) { key(view, Qt::Key_Down); }},
        {"zoom out", [](marluneMDIChild&, TSigWindow& view) { key(view, Qt::Key_Up); }},
        {"step", [](marluneMDIChild&, TSigWindow& view) { key(view, Qt::Key_Left); }},
        {"cut", [this](marluneMDIChild&, TSigWindow&) { client_.dispatch(Cmd::Cut); }},
        {"paste",
         [this](marluneMDIChild&, TSigWindow& view) {
             const std::vector<float> block(10, 5.0f);
             ui_.clipboard = ClipboardBlock::encode(block.data(), 10);
             move(view, 50);
             client_.dispatch(Cmd::Paste);
         }},
        {"fill with 0", [this](marluneMDIChild&, TSigWindow&) { client_.dispatch(Cmd::FillZero); }},
        {"fill with the mean", [this](marluneMDIChild&, TSigWindow&) { client_.dispatch(Cmd::FillMean); }},
        {"resize", [](marluneMDIChild&, TSigWindow& view) { view.resize(300, 150); }},
        {"axes on",
         [](marluneMDIChild& child, TSigWindow&) {
             child.setDrawAxes(true);
             child.repaint();
         }},
        {"logarithmic X",
         [](marluneMDIChild& child, TSigWindow&) {
             child.setLogXAxis(true);
             child.repaint();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        marluneMDIChild& child = signalWindow();
        // Zoomed to 900 samples in the middle, so that zoom out and the steps have somewhere to go.
        ASSERT_TRUE(child.signal()->zoomIn(50, 949));
        TSigWindow& view = pane(child, 400, 200);
        drag(view, From, To);
        ASSERT_TRUE(editRangeOf(view));
        c.change(child, view);
        expectBare(view);
        client_.closeAll();
    }
}

TEST_F(PaneSelectionTest, CopyKeepsTheBand)
{
    TSigWindow& view = pane(signalWindow(), 400, 200);
    drag(view, From, To);
    const QImage withBand = view.backBuffer().copy();
    client_.dispatch(Cmd::Copy);
    view.grab();
    EXPECT_TRUE(editRangeOf(view));
    EXPECT_EQ(view.backBuffer(), withBand);
}

TEST_F(PaneSelectionTest, ABandOnADerivedWindowGoesWhenItsParentChanges)
{
    marluneMDIChild& parent = signalWindow();
    marluneMDIChild* detrended = DerivedWindows::create(client_, parent, SignalKind::Detrended, {});
    ASSERT_NE(detrended, nullptr);
    TSigWindow& view = pane(*detrended, 400, 200);
    drag(view, From, To);
    ASSERT_TRUE(parent.signal()->zoomIn(100, 899));
    parent.updateAfterChange();
    EXPECT_EQ(detrended->signal()->count(), 800u);
    expectBare(view);
}

TEST_F(PaneSelectionTest, APaneWithoutValidContentTakesNoCursorBandOrSampleCommand)
{
    const std::vector<float> clip(10, 5.0f);
    struct Case {
        const char* name;
        std::function<marluneMDIChild&()> make;
    };
    const std::vector<Case> cases{
        {"invalid window",
         [this]() -> marluneMDIChild& {
             marluneMDIChild& child = signalWindow();
             child.setInvalid(true);
             return child;
         }},
        {"three visible samples", [this]() -> marluneMDIChild& { return window({1, 2, 3}, 1000); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.clipboard = ClipboardBlock::encode(clip.data(), 10);
        marluneMDIChild& child = c.make();
        TSigWindow& view = pane(child, 400, 200);
        const QImage text = view.backBuffer().copy();
        move(view, 50);
        move(view, 120);
        move(view, 150);
        drag(view, From, To);
        move(view, 200);
        EXPECT_EQ(view.backBuffer(), text);
        EXPECT_FALSE(editRangeOf(view));
        EXPECT_FALSE(pasteOffsetOf(view));
        EXPECT_TRUE(status(StatusField::X).empty());
        for (const int id : {Cmd::Copy, Cmd::Cut, Cmd::Paste, Cmd::FillZero, Cmd::FillMean, Cmd::ExtractSelection,
                             Cmd::ExtractFromTo, Cmd::FFT, Cmd::Filter, Cmd::Smoothing, Cmd::RemoveTrend,
                             Cmd::RemovePeaks, Cmd::Averager, Cmd::PeakHold, Cmd::Cepstrum})
            EXPECT_FALSE(client_.dispatchState(id)->enabled) << id;
        client_.closeAll();
    }

    // Once the content is valid again, the pane follows the mouse.
    marluneMDIChild& child = signalWindow();
    child.setInvalid(true);
    TSigWindow& view = pane(child, 400, 200);
    child.setInvalid(false);
    child.repaint();
    view.grab();
    const QImage picture = view.backBuffer().copy();
    move(view, 50);
    move(view, 120);
    EXPECT_NE(view.backBuffer(), picture);
    EXPECT_TRUE(client_.dispatchState(Cmd::Paste)->enabled);
    EXPECT_TRUE(client_.dispatchState(Cmd::FFT)->enabled);
}
