#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "PaneDriving.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "base/ui/RgbImage.h"
#include "tree/CommandIds.h"

namespace {
const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
// Blue inverted against white.
const QColor Yellow(255, 255, 0);

// A window of the tree that is not a signal window.
class Instrument : public marluneChild {
public:
    explicit Instrument(marluneMDIClient& client) : marluneChild(client, 74) {}

protected:
    bool recomputeFromParents() override { return true; }
};

struct MenuEntry {
    std::string text;  // empty for a separator
    int id = 0;        // 0 for separators and submenus
    bool checked = false;
};

std::vector<MenuEntry> entries(const QMenu& menu)
{
    std::vector<MenuEntry> result;
    for (const QAction* action : menu.actions())
        result.push_back({action->isSeparator() ? std::string() : action->text().toStdString(),
                          action->menu() ? 0 : action->data().toInt(), action->isChecked()});
    return result;
}

bool operator==(const MenuEntry& a, const MenuEntry& b)
{
    return a.text == b.text && a.id == b.id && a.checked == b.checked;
}

std::ostream& operator<<(std::ostream& out, const MenuEntry& entry)
{
    return out << '"' << entry.text << "\" " << entry.id << (entry.checked ? " checked" : "");
}

class PaneInteractionTest : public PaneFixture {};
}  // namespace

TEST_F(PaneInteractionTest, MouseMoveShowsTheXAndTheValueOfTheSampleUnderIt)
{
    std::vector<float> samples = zeros(1000);
    samples[307] = 1234567.0f;
    samples[310] = 0.000012345f;
    marluneMDIChild& child = window(samples, 1000, SignalKind::FileSignal, "signal", 2.5L);
    TSigWindow& view = pane(child, 400, 200);

    move(view, 50);  // only re-arms the cursor after the paint
    EXPECT_TRUE(status(StatusField::X).empty());
    // x 123: 123 * 999 / 400 = 307.19 -> sample 307, X = 307 / 1000 + 2.5.
    move(view, 123);
    EXPECT_EQ(status(StatusField::X), "2.807000");
    EXPECT_EQ(status(StatusField::Y), "1.23457E+06");

    // In sample units the X read-out is the index: x 124 -> 309.69 -> 310.
    child.command(Cmd::RulerSampleUnits);
    EXPECT_EQ(status(StatusField::RangeFrom), "0");
    EXPECT_EQ(status(StatusField::RangeTo), "999");
    move(view, 124);
    EXPECT_EQ(status(StatusField::X), "310");
    EXPECT_EQ(status(StatusField::Y), "1.2345E-05");
}

TEST_F(PaneInteractionTest, FocusShowsRangeStepRateAndTheSignalStatusBar)
{
    marluneMDIChild& child = window(zeros(1000), 1000, SignalKind::FileSignal, "signal", 2.5L);
    TSigWindow& view = pane(child, 400, 200);
    ui_.statusBar3D = true;
    focus(view, QEvent::FocusIn);
    EXPECT_FALSE(ui_.statusBar3D);
    EXPECT_EQ(status(StatusField::RangeFrom), "2.500");
    EXPECT_EQ(status(StatusField::RangeTo), "3.499");
    EXPECT_EQ(status(StatusField::Step), "30");
    EXPECT_EQ(status(StatusField::SampleRate), "1000.000");

    child.setOriginalUnits(0);
    child.setStep(7);
    focus(view, QEvent::FocusIn);
    EXPECT_EQ(status(StatusField::RangeFrom), "0");
    EXPECT_EQ(status(StatusField::RangeTo), "999");
    EXPECT_EQ(status(StatusField::Step), "7");
}

TEST_F(PaneInteractionTest, LosingTheFocusTakesBandAndCursorOff)
{
    TSigWindow& view = pane(window(zeros(1000), 1000), 400, 200);
    const QImage picture = view.backBuffer().copy();
    move(view, 50);
    move(view, 100);
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{100}));
    drag(view, 150, 250);
    EXPECT_TRUE(editRangeOf(view));

    focus(view, QEvent::FocusOut);
    EXPECT_EQ(view.backBuffer(), picture);
    EXPECT_FALSE(editRangeOf(view));
    // Nothing of the old cursor is left to be inverted back: the next move shows one column only.
    move(view, 300);
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{300}));
}

TEST_F(PaneInteractionTest, HomeAndEndPutTheCursorAtThePlotEdges)
{
    std::vector<float> samples(1000, 6.0f);
    samples[2] = 5;
    samples.back() = 7;
    TSigWindow& view = pane(window(samples, 1000), 400, 200);
    const QImage picture = view.backBuffer().copy();
    move(view, 200);

    // Home: x = plot left + 1 = 1, sample floor(999 / 400 + 0.5) = 2.
    key(view, Qt::Key_Home);
    EXPECT_EQ(status(StatusField::X), "0.002000");
    EXPECT_EQ(status(StatusField::Y), "5");
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{1}));

    // End: x = plot right = 400, just outside the client area, which shows the last sample.
    key(view, Qt::Key_End);
    EXPECT_EQ(status(StatusField::X), "0.999000");
    EXPECT_EQ(status(StatusField::Y), "7");
    EXPECT_TRUE(changedColumns(picture, view.backBuffer()).empty());
}

TEST_F(PaneInteractionTest, EndWhileDraggingStretchesTheSelectionToTheRightEdge)
{
    marluneMDIChild& child = window(zeros(1000), 1000);
    TSigWindow& view = pane(child, 400, 200);
    move(view, 50);
    mouse(view, QEvent::MouseButtonPress, 100, Qt::LeftButton, Qt::LeftButton);
    move(view, 200, Qt::LeftButton);
    key(view, Qt::Key_End);
    mouse(view, QEvent::MouseButtonRelease, 400, Qt::LeftButton, Qt::NoButton);
    // Edits count in proportion to the plot: trunc(999 / 400 * 100) = 249 ... trunc(999) = 999.
    ASSERT_TRUE(editRangeOf(view));
    EXPECT_EQ(*editRangeOf(view), (std::pair<uint32_t, uint32_t>{249, 999}));
    // Zoom In rounds: floor(249.75 + 0.5) = 250 ... 999.
    key(view, Qt::Key_Down);
    EXPECT_EQ(child.signal()->firstVisible(), 250u);
    EXPECT_EQ(child.signal()->lastVisible(), 999u);
}

TEST_F(PaneInteractionTest, ArrowKeysZoomAndStep)
{
    marluneMDIChild& child = window(zeros(1000), 1000);
    TSigWindow& view = pane(child, 400, 200);
    const auto range = [this] { return status(StatusField::RangeFrom) + " " + status(StatusField::RangeTo); };

    // At zoom level 0 the step keys move nothing.
    key(view, Qt::Key_Left);
    key(view, Qt::Key_Right);
    EXPECT_EQ(child.signal()->firstVisible(), 0u);
    EXPECT_EQ(child.signal()->zoomLevel(), 0u);

    // A band from x 100 to x 105 covers samples 250 ... 262: fewer than 16, no zoom.
    drag(view, 100, 105);
    key(view, Qt::Key_Down);
    EXPECT_EQ(child.signal()->zoomLevel(), 0u);
    EXPECT_EQ(child.caption(), " signal");

    // x 100 ... 300 hold samples 250 ... 749.
    drag(view, 100, 300);
    key(view, Qt::Key_Down);
    EXPECT_EQ(child.caption(), "~signal");
    EXPECT_EQ(range(), "0.250 0.749");

    // Steps of 30 samples.
    key(view, Qt::Key_Left);
    EXPECT_EQ(range(), "0.220 0.719");
    key(view, Qt::Key_Right);
    key(view, Qt::Key_Right);
    EXPECT_EQ(range(), "0.280 0.779");

    key(view, Qt::Key_Up);
    EXPECT_EQ(child.caption(), " signal");
    EXPECT_EQ(range(), "0.000 0.999");

    // A click without dragging drops the band; Zoom In then goes forward in the history.
    drag(view, 50, 50);
    EXPECT_FALSE(editRangeOf(view));
    key(view, Qt::Key_Down);
    EXPECT_EQ(child.caption(), "~signal");
    EXPECT_EQ(range(), "0.280 0.779");
}

TEST_F(PaneInteractionTest, ContextMenuOfAFileWindowListsTheOtherSignalWindows)
{
    marluneMDIChild& first = window(zeros(100), 1000, SignalKind::FileSignal, "first.wav");
    window(zeros(100), 1000, SignalKind::FileSignal, "second.wav");
    client_.addWindow(std::make_unique<Instrument>(client_));
    window(zeros(100), 1, SignalKind::Spectrum, "Spectrum of first.wav");
    TSigWindow& view = pane(first, 400, 200);

    std::vector<MenuEntry> top;
    std::vector<MenuEntry> overlays;
    QPoint shownAt;
    withContextMenu(view, QPoint(20, 30), [&](QMenu& menu) {
        top = entries(menu);
        shownAt = menu.pos();
        if (QAction* overlay = actionNamed(menu, "Overlay with"); overlay && overlay->menu())
            overlays = entries(*overlay->menu());
    });
    EXPECT_EQ(shownAt, view.mapToGlobal(QPoint(20, 30)));
    const std::vector<MenuEntry> expected{{"Zoom In", 24329},    {"Zoom Out", 24330},         {"Zoom to power of 2...", 24336},
                                          {"", 0},               {"Overlay with", 0},         {"", 0},
                                          {"Axes settings...", 8}, {"Properties...", 6},      {"", 0},
                                          {"Save picture...", 0}};
    EXPECT_EQ(top, expected);
    // Windows 1 and 3 of the list; the instrument in slot 2 is no signal window.
    const std::vector<MenuEntry> expectedOverlays{{"second.wav", 12801}, {"Spectrum of first.wav", 12803}};
    EXPECT_EQ(overlays, expectedOverlays);
}

TEST_F(PaneInteractionTest, OverlaySubmenuIsEnabledOnlyWithSomethingToChoose)
{
    marluneMDIChild& first = window(zeros(100), 1000, SignalKind::FileSignal, "first.wav");
    TSigWindow& view = pane(first, 400, 200);
    const auto overlayMenu = [&view] {
        bool enabled = true;
        bool anyItemEnabled = false;
        qsizetype items = 0;
        withContextMenu(view, QPoint(20, 30), [&](QMenu& menu) {
            QAction* overlay = actionNamed(menu, "Overlay with");
            ASSERT_TRUE(overlay && overlay->menu());
            enabled = overlay->isEnabled();
            items = overlay->menu()->actions().size();
            for (const QAction* item : overlay->menu()->actions())
                anyItemEnabled = anyItemEnabled || item->isEnabled();
        });
        return std::tuple{enabled, anyItemEnabled, items};
    };
    // Alone, there is nothing to overlay with.
    EXPECT_EQ(overlayMenu(), std::tuple(false, false, qsizetype(0)));
    window(zeros(100), 1000, SignalKind::FileSignal, "second.wav");
    const auto [enabled, anyItemEnabled, items] = overlayMenu();
    EXPECT_EQ(items, 1);
    EXPECT_EQ(enabled, anyItemEnabled);
}

TEST_F(PaneInteractionTest, LogsAveragersAndPeakHoldsOfferResetDataFirst)
{
    for (const int32_t kind : {SignalKind::Track, SignalKind::Averager, SignalKind::PeakHold, SignalKind::FileSignal}) {
        TSigWindow& view = pane(window(zeros(100), 1000, kind), 400, 200);
        std::vector<MenuEntry> top;
        withContextMenu(view, QPoint(20, 30), [&top](QMenu& menu) { top = entries(menu); });
        ASSERT_GE(top.size(), 3u);
        if (kind == SignalKind::FileSignal) {
            EXPECT_EQ(top[0], (MenuEntry{"Zoom In", 24329}));
            EXPECT_EQ(top.size(), 10u);
        } else {
            EXPECT_EQ(top[0], (MenuEntry{"Reset data", 12797})) << kind;
            EXPECT_EQ(top[1], (MenuEntry{"", 0})) << kind;
            EXPECT_EQ(top[2], (MenuEntry{"Zoom In", 24329})) << kind;
            EXPECT_EQ(top.size(), 12u) << kind;
        }
    }
}

TEST_F(PaneInteractionTest, SpectrumMenuShowsTheHarmonicRulerChecked)
{
    marluneMDIChild& spectrum = window(zeros(5001), 1, SignalKind::Spectrum);
    TSigWindow& view = pane(spectrum, 500, 200);
    const auto menu = [&view] {
        std::vector<MenuEntry> top;
        withContextMenu(view, QPoint(20, 30), [&top](QMenu& shown) { top = entries(shown); });
        return top;
    };
    std::vector<MenuEntry> top = menu();
    ASSERT_EQ(top.size(), 12u);
    EXPECT_EQ(top[4], (MenuEntry{"Overlay with", 0}));
    EXPECT_EQ(top[5], (MenuEntry{"", 0}));
    EXPECT_EQ(top[6], (MenuEntry{"Harmonic ruler", 12798, false}));
    EXPECT_EQ(top[7], (MenuEntry{"", 0}));
    EXPECT_EQ(top[8], (MenuEntry{"Axes settings...", 8}));

    spectrum.command(Cmd::HarmonicRuler);
    top = menu();
    ASSERT_EQ(top.size(), 12u);
    EXPECT_EQ(top[6], (MenuEntry{"Harmonic ruler", 12798, true}));
}

TEST_F(PaneInteractionTest, MenuCommandsGoToTheWindow)
{
    marluneMDIChild& child = window(zeros(1000), 1000);
    TSigWindow& view = pane(child, 400, 200);
    drag(view, 100, 300);
    withContextMenu(view, QPoint(200, 50), [](QMenu& menu) {
        if (QAction* zoomIn = actionNamed(menu, "Zoom In"))
            zoomIn->trigger();
    });
    EXPECT_EQ(child.signal()->firstVisible(), 250u);
    EXPECT_EQ(child.signal()->lastVisible(), 749u);
    EXPECT_EQ(child.caption(), "~signal");
}

TEST_F(PaneInteractionTest, HarmonicRulerMarksTheHarmonicsBelowTheLastVisibleFrequency)
{
    // 5001 bins of 1 Hz: 0 ... 5000 Hz over 500 columns, 10 Hz per column.
    marluneMDIChild& spectrum = window(zeros(5001), 1, SignalKind::Spectrum);
    TSigWindow& view = pane(spectrum, 500, 200);
    const QImage picture = view.backBuffer().copy();
    move(view, 50);
    move(view, 100);
    EXPECT_EQ(status(StatusField::X), "1000.000000");
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{100}));

    // 1 kHz: 2, 3 and 4 kHz lie below 5 kHz, 5 kHz does not.
    spectrum.command(Cmd::HarmonicRuler);
    EXPECT_TRUE(view.child()->harmonicRuler());
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{100, 200, 300, 400}));
    // The columns span the plot's height.
    for (const int x : {200, 300, 400})
        for (int y = 0; y < 200; y += 20)
            EXPECT_NE(view.backBuffer().pixel(x, y), picture.pixel(x, y)) << x << "," << y;

    // 1.5 kHz: 3 and 4.5 kHz.
    move(view, 150);
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{150, 300, 450}));

    spectrum.command(Cmd::HarmonicRuler);
    EXPECT_FALSE(view.child()->harmonicRuler());
    EXPECT_EQ(changedColumns(picture, view.backBuffer()), (std::set<int>{150}));
}

TEST_F(PaneInteractionTest, HarmonicRulerBelongsToSpectraOnly)
{
    marluneMDIChild& child = window(zeros(1000), 1000);
    TSigWindow& view = pane(child, 400, 200);
    child.command(Cmd::HarmonicRuler);
    EXPECT_FALSE(view.child()->harmonicRuler());
}

TEST_F(PaneInteractionTest, CopyPictureReplacesTheClipboardWithWhatThePaneShows)
{
    // 100 samples of 3: the Y range is 2 ... 4 and the curve runs along row 100 of 200.
    marluneMDIChild& child = window(std::vector<float>(100, 3.0f), 1000);
    TSigWindow& view = pane(child, 300, 200);
    ui_.clipboard = std::vector<uint8_t>{1, 2, 3};

    // Cursor at x 150 = sample floor(150 * 99 / 300 + 0.5) = 50, whose point is (trunc(50 * 300 / 99), 100)
    // = (151, 100): the column and a 5 x 4 box from (149, 98) are inverted.
    move(view, 10);
    move(view, 150);
    child.command(Cmd::CopyPicture);

    EXPECT_FALSE(ui_.clipboard) << "the picture replaces what the clipboard held";
    ASSERT_TRUE(ui_.picture);
    const QImage copy = imageOf(*ui_.picture);
    ASSERT_EQ(copy.size(), QSize(300, 200));
    for (const int x : {0, 60, 299})
        EXPECT_EQ(copy.pixelColor(x, 100), Blue) << x;
    EXPECT_EQ(copy.pixelColor(60, 50), White);
    EXPECT_EQ(copy.pixelColor(150, 50), Black);
    EXPECT_EQ(copy.pixelColor(153, 100), Yellow);
    EXPECT_EQ(copy.pixelColor(153, 98), Black);
    EXPECT_EQ(copy.pixelColor(153, 102), White);
    // Column and box both cover (150, 100): inverted twice.
    EXPECT_EQ(copy.pixelColor(150, 100), Blue);
}

namespace {
// Live data at 100 Hz over 400 columns: 101 visible samples, 4 pixels per sample. The Y range is held
// at -2 ... 2, so 0 lies on row 100, 1 on row 50 and -1 on row 150 of 200.
class LiveScrollTest : public PaneInteractionTest {
protected:
    void SetUp() override
    {
        std::vector<float> samples = zeros(101);
        samples[60] = 1;
        live_ = &window(samples, 100);
        live_->setFixedMinMax(true);
        live_->signal()->setYRange(2, -2);
    }

    float* samples() { return live_->signal()->samples(); }

    // Lets the samples arrive and paints; the Y range stays as it is.
    void paintAfterShift(int32_t shift)
    {
        if (shift != 0)
            live_->scrolled(shift);
        else
            live_->repaint();
        view_->grab();
    }

    marluneMDIChild* live_ = nullptr;
    TSigWindow* view_ = nullptr;
};
}  // namespace

TEST_F(LiveScrollTest, NewSamplesAtTheEndMoveThePictureLeft)
{
    // The steep rise from sample 99 to 100 ends in the column where old and new parts of the picture meet.
    samples()[99] = -1;
    samples()[100] = 1;
    view_ = &pane(*live_, 400, 200);
    EXPECT_EQ(view_->backBuffer().pixelColor(240, 50), Blue);
    // Ten samples enter at the end: everything moves ten samples to the left.
    std::copy(samples() + 10, samples() + 101, samples());
    std::fill(samples() + 91, samples() + 101, 1.0f);
    paintAfterShift(-10);
    const QImage& shown = view_->backBuffer();
    EXPECT_EQ(shown.pixelColor(200, 50), Blue);
    EXPECT_EQ(shown.pixelColor(240, 50), White);
    // Samples 90 ... 100 lie at x 360 ... 400 on row 50.
    for (const int x : {360, 380, 399})
        EXPECT_EQ(shown.pixelColor(x, 50), Blue) << x;
    EXPECT_EQ(shown.pixelColor(340, 50), White);
    // Exactly what a drawing from scratch shows, the meeting column included.
    EXPECT_EQ(changedColumns(shown, view_->render(QSize(400, 200))), std::set<int>{});
}

TEST_F(LiveScrollTest, OnlyTheUncoveredStripIsDrawn)
{
    view_ = &pane(*live_, 400, 200);
    // The samples that were on screen are left as they were, so a drawing from scratch would still show
    // the peak at x 240; the scrolled picture shows it 10 samples = 40 pixels further left.
    std::fill(samples() + 91, samples() + 101, -1.0f);
    paintAfterShift(-10);
    EXPECT_EQ(view_->backBuffer().pixelColor(200, 50), Blue);
    EXPECT_EQ(view_->backBuffer().pixelColor(240, 50), White);
    EXPECT_EQ(view_->backBuffer().pixelColor(380, 150), Blue);
    // Without a shift the pane draws anew.
    paintAfterShift(0);
    EXPECT_EQ(view_->backBuffer().pixelColor(240, 50), Blue);
    EXPECT_EQ(view_->backBuffer().pixelColor(200, 50), White);
}

TEST_F(LiveScrollTest, NewSamplesAtTheStartMoveThePictureRight)
{
    view_ = &pane(*live_, 400, 200);
    std::copy_backward(samples(), samples() + 91, samples() + 101);
    std::fill(samples(), samples() + 10, -1.0f);
    paintAfterShift(10);
    const QImage& shown = view_->backBuffer();
    EXPECT_EQ(shown.pixelColor(280, 50), Blue);
    EXPECT_EQ(shown.pixelColor(240, 50), White);
    for (const int x : {0, 20, 36})
        EXPECT_EQ(shown.pixelColor(x, 150), Blue) << x;
    // The steep rise from sample 9 to 10 ends in the column where the strip meets the moved picture.
    EXPECT_EQ(changedColumns(shown, view_->render(QSize(400, 200))), std::set<int>{});
}

TEST_F(LiveScrollTest, LogarithmicXIsDrawnFromScratch)
{
    live_->setLogXAxis(true);
    view_ = &pane(*live_, 400, 200);
    std::fill(samples() + 91, samples() + 101, -1.0f);
    paintAfterShift(-10);
    EXPECT_EQ(view_->backBuffer(), view_->render(QSize(400, 200)));
}

TEST_F(LiveScrollTest, WithAxesOnlyThePlotMoves)
{
    // 440 x 220 with axes: the plot starts at x 44 and ends at row 200; a sample is 4.4 logical units,
    // 4 device columns wide. The X offset moves with the data, as it does for live data.
    live_->setDrawAxes(true);
    view_ = &pane(*live_, 440, 220);
    std::copy(samples() + 10, samples() + 101, samples());
    std::fill(samples() + 91, samples() + 101, 1.0f);
    live_->signal()->setXOffset(0.1L);
    paintAfterShift(-10);
    const QImage& shown = view_->backBuffer();
    const QImage fresh = view_->render(QSize(440, 220));
    // The peak, now sample 50, at logical x 220 = device 44 + 200; the new samples near the right edge.
    EXPECT_EQ(shown.pixelColor(244, 50), Blue);
    EXPECT_NE(shown.pixelColor(284, 50), Blue);
    EXPECT_EQ(shown.pixelColor(420, 50), Blue);
    // Nothing from beyond the pane's right edge moves in.
    for (int x = 396; x < 408; ++x)
        EXPECT_EQ(shown.pixelColor(x, 100), fresh.pixelColor(x, 100)) << x;
    // The Y axis with its tick marks and labels, and the X labels below the plot, are those of the new range.
    for (const int x : changedColumns(shown, fresh))
        EXPECT_GE(x, 54);
    EXPECT_EQ(shown.copy(0, 200, 440, 20), fresh.copy(0, 200, 440, 20));
}

TEST(PaneInFrameTest, FocusedPaneBringsBackTheSignalStatusBar)
{
    qtApp();
    marluneApp app(scratchFolder("paneinframe"));
    MainFrame& frame = app.frame();
    frame.show();
    std::vector<float> samples(101, 6.0f);
    samples.back() = 7;
    auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 101u, 100.0L);
    marluneChild* child = app.client().addWindow(
        std::make_unique<marluneMDIChild>(app.client(), SignalKind::FileSignal, std::move(signal)));
    settle();
    const auto subWindows = frame.mdiArea()->subWindowList();
    ASSERT_EQ(subWindows.size(), 1);
    auto* view = subWindows.front()->findChild<TSigWindow*>();
    ASSERT_NE(view, nullptr);
    view->grab();

    frame.statusBars().show3D(true);
    focus(*view, QEvent::FocusIn);
    EXPECT_FALSE(frame.statusBars().signalBar()->isHidden());
    EXPECT_TRUE(frame.statusBars().bar3D()->isHidden());
    EXPECT_EQ(frame.statusBars().text(StatusField::RangeFrom), "0.000");
    EXPECT_EQ(frame.statusBars().text(StatusField::RangeTo), "1.000");
    EXPECT_EQ(frame.statusBars().text(StatusField::Step), "30");
    EXPECT_EQ(frame.statusBars().text(StatusField::SampleRate), "100.000");

    // End shows the last sample, whatever the pane's size; the move re-arms the cursor inside the plot.
    move(*view, view->width() / 2);
    key(*view, Qt::Key_End);
    EXPECT_EQ(frame.statusBars().text(StatusField::X), "1.000000");
    EXPECT_EQ(frame.statusBars().text(StatusField::Y), "7");
    app.client().closeWindow(child);
    settle();
}
