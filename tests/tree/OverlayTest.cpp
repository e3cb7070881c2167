#include "tree/TreeFixture.h"

#include "kinds/WindowKindRegistration.h"
#include "tree/CommandIds.h"
#include "tree/ControlDiagram.h"
#include "tree/marluneJoinChild.h"
#include "views/YAxisForm.h"

namespace {
class OverlayTest : public TreeTest {
protected:
    // A root window whose samples run from `low` to `high` and back.
    marluneMDIChild* window(float low, float high, uint32_t n = 400)
    {
        std::vector<float> samples(n);
        for (uint32_t i = 0; i < n; ++i)
            samples[i] = i % 2 ? high : low;
        auto w = std::make_unique<marluneMDIChild>(
            client, SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), n, 1000));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#file");
        return static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
    }
};
}  // namespace

TEST_F(OverlayTest, AnOverlayTakesTheCommonRangeAndNamesItsParents)
{
    marluneMDIChild* a = window(-1, 1);
    marluneMDIChild* b = window(0, 10);
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b}, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->kind(), SignalKind::Overlay);
    EXPECT_TRUE(overlay->linked());
    EXPECT_EQ(overlay->yMin(), -1);
    EXPECT_EQ(overlay->yMax(), 10);
    EXPECT_EQ(overlay->caption(), " 3#Overlay ( 1  2 )");
    EXPECT_EQ(overlay->mainSignal(), a);
    EXPECT_EQ(overlay->icon(), 23346);

    b->changeTitle("right channel");
    overlay->rotate();
    EXPECT_EQ(overlay->caption(), " 3#Overlay ( right channel  1 )") << "a parent's own title stands for its number";
    EXPECT_EQ(overlay->mainSignal(), b);

    // A parent's change reaches the overlay once; its range follows unless it is fixed.
    b->signal()->setYRange(20, 0);
    b->updateAfterChange();
    EXPECT_EQ(overlay->yMax(), 20);
    CurveDisplay fixed = overlay->display();
    fixed.fixedRange = true;
    overlay->setDisplay(fixed);
    overlay->setYRange(5, -5);
    b->updateAfterChange();
    EXPECT_EQ(overlay->yMax(), 5) << "a fixed range stays as edited";
}

TEST_F(OverlayTest, ParentsLeaveOneByOneAndTheLastTakesTheOverlayWithIt)
{
    marluneMDIChild* a = window(-1, 1);
    marluneMDIChild* b = window(0, 10);
    marluneMDIChild* c = window(2, 3);
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b, c}, SignalKind::StackedOverlay);
    ASSERT_NE(overlay, nullptr);
    overlay->subscribe(view);
    EXPECT_EQ(overlay->icon(), 21345);

    client.closeWindow(a);
    ASSERT_TRUE(client.isRegistered(overlay));
    EXPECT_EQ(overlay->mainSignal(), b) << "the next parent becomes the main parent";
    EXPECT_EQ(overlay->parents().size(), 2u);
    EXPECT_EQ(overlay->yMin(), 0);
    EXPECT_EQ(overlay->caption(), " 4#Overlay ( 2  3 )");

    ASSERT_TRUE(overlay->command(marluneJoinChild::RemoveSignalBase + 1));
    EXPECT_EQ(overlay->parents(), std::vector<marluneChild*>{b});
    EXPECT_TRUE(std::find(c->children().begin(), c->children().end(), overlay) == c->children().end())
        << "the removed parent no longer updates the overlay";

    ASSERT_TRUE(overlay->command(marluneJoinChild::AddSignalBase + c->index()));
    EXPECT_EQ(overlay->parents().size(), 2u);
    EXPECT_FALSE(overlay->commandState(marluneJoinChild::AddSignalBase + c->index())->enabled)
        << "a signal is shown once";

    client.closeWindow(b);
    client.closeWindow(c);
    EXPECT_TRUE(view.closed) << "the overlay closes with its last parent";
    EXPECT_EQ(client.windows().size(), 0u);
}

TEST_F(OverlayTest, TheOverlaysOwnCommandsAndTheOnesItRefuses)
{
    marluneMDIChild* a = window(-1, 1);
    marluneMDIChild* b = window(0, 10);
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b}, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    // The commands of the instruments are known once their kinds are registered.
    registerWindowKinds(client, nullptr);
    for (const int id : {Cmd::FFT, Cmd::Close, Cmd::ZoomIn, Cmd::Paste, Cmd::InstrumentRms, Cmd::Generator}) {
        const auto state = overlay->commandState(id);
        ASSERT_TRUE(state) << id;
        EXPECT_FALSE(state->enabled) << id;
    }
    client.setActiveChild(overlay);
    EXPECT_FALSE(client.dispatchState(Cmd::Generator)->enabled) << "the client never hears a refused command";
    EXPECT_TRUE(overlay->commandState(marluneJoinChild::ShowInOneSystem)->checked);
    ASSERT_TRUE(client.dispatch(Cmd::OverlayS));
    EXPECT_EQ(overlay->kind(), SignalKind::StackedOverlay);
    EXPECT_FALSE(overlay->commandState(marluneJoinChild::ShowInOneSystem)->checked);
    ASSERT_TRUE(client.dispatch(marluneJoinChild::ShowInOneSystem));
    EXPECT_EQ(overlay->kind(), SignalKind::Overlay);
    ASSERT_TRUE(client.dispatch(Cmd::OverlayZ));
    EXPECT_EQ(overlay->mainSignal(), b);

    // "Overlay with" of a signal window makes an overlay of the two.
    ASSERT_TRUE(a->commandState(Cmd::OverlayWithBase + b->index())->enabled);
    EXPECT_FALSE(a->commandState(Cmd::OverlayWithBase + a->index())->enabled) << "not with itself";
    ASSERT_TRUE(a->command(Cmd::OverlayWithBase + b->index()));
    auto* made = dynamic_cast<marluneJoinChild*>(client.window(client.highestIndex()));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->parents(), (std::vector<marluneChild*>{a, b}));
    EXPECT_EQ(made->kind(), SignalKind::Overlay);

    // The control window's diagram: the second parent's line in black, the third's in blue.
    marluneMDIChild* c = window(0, 1);
    made->addSignal(*c);
    const std::vector<ControlDiagram::Line> lines = ControlDiagram(client).lines();
    std::vector<Rgb> colours;
    for (const auto& line : lines)
        colours.push_back(line.colour);
    EXPECT_NE(std::find(colours.begin(), colours.end(), Rgb{0, 0, 0}), colours.end());
    EXPECT_NE(std::find(colours.begin(), colours.end(), Rgb{0, 0, 255}), colours.end());
}

// The axes dialog of an overlay edits the overlay's own range, not its main parent's.
TEST_F(OverlayTest, TheAxesDialogEditsTheOverlaysOwnRange)
{
    marluneMDIChild* a = window(-1, 1);
    marluneMDIChild* b = window(0, 10);
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b}, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& axes = dynamic_cast<YAxisForm&>(form);
        EXPECT_EQ(axes.maxText, "1.000000E+01");
        EXPECT_EQ(axes.minText, "-1.000000E+00");
        axes.maxText = "12";
        axes.minText = "-3";
        axes.rangeEdited();
        axes.noAutoScale = true;
        axes.noAutoScaleClicked();
        axes.xLabel = "seconds";
        return axes.accept();
    });
    ASSERT_TRUE(overlay->command(Cmd::AxesSettings));
    EXPECT_EQ(overlay->yMax(), 12);
    EXPECT_EQ(overlay->yMin(), -3);
    EXPECT_TRUE(overlay->display().fixedRange);
    EXPECT_EQ(overlay->display().xLabel, "seconds");
    EXPECT_EQ(a->signal()->yMax(), 1) << "the parents keep their ranges";
}
