#include "tree/TreeFixture.h"

#include "tree/CommandIds.h"
#include "tree/ControlSelection.h"
#include "tree/DerivedWindows.h"
#include "tree/FilterForm.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "views/TimeFFTForm.h"
#include "views/ZoomFirst2nForm.h"

namespace {
class ControlSelectionTest : public TreeTest {
protected:
    ControlSelection selection{client};

    marluneMDIChild* zoomedFile(uint32_t n = 1000, long double rate = 1000)
    {
        marluneMDIChild* window = fileWindow(n);
        window->signal()->setSampleRate(rate);
        EXPECT_TRUE(window->signal()->zoomIn(100, 199));
        window->setStep(10);
        return window;
    }
};
}  // namespace

// The arrows move every selected window first and then update everything below them once: a window
// below two moved windows is recomputed once, not once per parent.
TEST_F(ControlSelectionTest, ABatchMoveCountsOnceAndComputesOnce)
{
    std::vector<marluneMDIChild*> roots;
    for (int i = 0; i < 100; ++i) {
        roots.push_back(zoomedFile());
        derived("child" + std::to_string(i), {roots.back()});
        selection.toggle(roots.back()->index());
    }
    LoggingChild* both = derived("both", {roots[0], roots[1]});
    // A selected window below another selected one is recomputed from it, not moved twice.
    selection.toggle(both->index());
    selection.step(true);
    EXPECT_EQ(log.size(), 101u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "both"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "child57"), 1);
    EXPECT_EQ(roots[57]->signal()->firstVisible(), 110u);
    for (const marluneChild* window : client.windows()) {
        EXPECT_EQ(window->notificationsExpected(), 0);
        EXPECT_EQ(window->notificationsReceived(), 0);
    }
    log.clear();
    selection.step(false);
    selection.step(false);
    EXPECT_EQ(roots[0]->signal()->firstVisible(), 90u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "both"), 2);
}

TEST_F(ControlSelectionTest, CommandsAreEnabledByWhatIsSelected)
{
    marluneMDIChild* a = zoomedFile(1000, 1000);
    marluneMDIChild* b = zoomedFile(1000, 2000);
    for (const int id : {Cmd::FFT, Cmd::Filter, Cmd::MergeTogether, Cmd::MeshView})
        EXPECT_FALSE(selection.commandState(id)->enabled) << id;
    EXPECT_FALSE(selection.commandState(125)) << "the background menu's own items are not commands here";
    selection.toggle(a->index());
    EXPECT_TRUE(selection.commandState(Cmd::FFT)->enabled);
    EXPECT_TRUE(selection.commandState(Cmd::Filter)->enabled);
    selection.toggle(b->index());
    EXPECT_FALSE(selection.commandState(Cmd::Filter)->enabled) << "rates differ";
    EXPECT_FALSE(selection.commandState(Cmd::TimeFFT)->enabled);
    EXPECT_TRUE(selection.commandState(Cmd::MergeParallel)->enabled);
    EXPECT_FALSE(selection.commandState(Cmd::MeshView)->enabled) << "no 3D window is selected";
}

TEST_F(ControlSelectionTest, OneDialogServesEverySelectedWindow)
{
    marluneMDIChild* a = zoomedFile(1000, 1000);
    marluneMDIChild* b = fileWindow(300);
    b->signal()->setSampleRate(1000);
    selection.selectAll();

    // The filter dialog opens once: from the largest r / 2^k (1000 / 128, a shows 100 samples), to the
    // smallest r / 2.
    std::string handed;
    std::string to;
    ui.formAnswers.push_back([&](DialogForm& form) {
        auto& filter = dynamic_cast<FilterForm&>(form);
        handed = filter.handedFrom();
        to = filter.toText;
        filter.fromText = "10";
        filter.toText = "100";
        return filter.accept();
    });
    ASSERT_TRUE(selection.command(Cmd::Filter));
    EXPECT_EQ(ui.formsShown.size(), 1u);
    EXPECT_EQ(handed, "7.81250");
    EXPECT_EQ(to, "500.00000");
    ASSERT_EQ(client.windows().size(), 4u);
    for (marluneMDIChild* parent : {a, b}) {
        ASSERT_EQ(parent->children().size(), 1u);
        EXPECT_EQ(parent->children()[0]->kind(), SignalKind::Filtered);
    }

    // Zoom to a power of two offers the lengths of the shortest window (100 visible samples: 16 ... 64).
    uint32_t longest = 0;
    ui.formAnswers.push_back([&](DialogForm& form) {
        auto& zoom = dynamic_cast<ZoomFirst2nForm&>(form);
        longest = zoom.length();
        return true;
    });
    selection.unselectAll();
    selection.toggle(a->index());
    selection.toggle(b->index());
    ASSERT_TRUE(selection.command(Cmd::ZoomPow2));
    EXPECT_EQ(longest, 64u);
    EXPECT_EQ(a->signal()->visibleCount(), 64u);
    EXPECT_EQ(a->signal()->firstVisible(), 100u) << "from the first visible sample";
    EXPECT_EQ(b->signal()->visibleCount(), 64u);
    EXPECT_EQ(b->caption()[0], '~');

    // "Time FFT..." asks once, offering segments that fit the shortest window, and makes one Time FFT
    // under each selected window, with its segments.
    ui.formAnswers.push_back([&](DialogForm& form) {
        auto& choice = dynamic_cast<TimeFFTForm&>(form);
        choice.precision = 0;
        choice.precisionChanged();
        choice.segmentsText = "4";
        return form.accept();
    });
    const std::size_t shown = ui.formsShown.size();
    ASSERT_TRUE(selection.command(Cmd::TimeFFT));
    EXPECT_EQ(ui.formsShown.size(), shown + 1);
    for (marluneMDIChild* parent : {a, b}) {
        const marluneChild* made = parent->children().back();
        ASSERT_EQ(made->kind(), SignalKind::TimeFFT);
        EXPECT_EQ(static_cast<const marlune3DChild*>(made)->data().rows(), 4u);
    }

    // The step: "Change step", "New step :", empty; something that is not a step of 1 or more beeps.
    ui.inputAnswers.push_back("25");
    ASSERT_TRUE(selection.command(Cmd::StepChange));
    EXPECT_EQ(a->step(), 25u);
    EXPECT_EQ(b->step(), 25u);
    ui.inputAnswers.push_back("0");
    selection.command(Cmd::StepChange);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(a->step(), 25u);
}

TEST_F(ControlSelectionTest, MergingMakesOneOverlayOfTheSelectedSignalsInIndexOrder)
{
    marluneMDIChild* a = fileWindow();
    marluneMDIChild* b = fileWindow();
    marluneMDIChild* c = fileWindow();
    selection.toggle(c->index());
    selection.toggle(a->index());
    ASSERT_TRUE(selection.command(Cmd::MergeParallel));
    auto* stacked = dynamic_cast<marluneJoinChild*>(client.window(client.highestIndex()));
    ASSERT_NE(stacked, nullptr);
    EXPECT_EQ(stacked->kind(), SignalKind::StackedOverlay);
    EXPECT_EQ(stacked->parents(), (std::vector<marluneChild*>{a, c}));
    // The overlay itself is not a signal window: selected with b, only b and a are merged.
    selection.unselectAll();
    selection.toggle(stacked->index());
    selection.toggle(b->index());
    selection.toggle(a->index());
    ASSERT_TRUE(selection.command(Cmd::MergeTogether));
    auto* overlay = dynamic_cast<marluneJoinChild*>(client.window(client.highestIndex()));
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->kind(), SignalKind::Overlay);
    EXPECT_EQ(overlay->parents(), (std::vector<marluneChild*>{a, b}));
}
