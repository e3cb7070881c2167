#include "tree/TreeFixture.h"

#include "tree/ControlDiagram.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneJoinChild.h"

namespace {
const SigIco& iconOf(const ControlDiagram& diagram, const marluneChild* window)
{
    for (const SigIco& icon : diagram.icons())
        if (icon.window == window)
            return icon;
    ADD_FAILURE() << "no icon";
    return diagram.icons().front();
}
}  // namespace

// A file window with two children, one with a child of its own: two leaves, a band of 140 pixels.
TEST_F(TreeTest, TheDiagramLaysOutByLeavesAndDepth)
{
    marluneMDIChild* file = fileWindow();
    marluneChild* smoothed = DerivedWindows::createChild(client, *file, SignalKind::Smoothed, {1, 5});
    marluneChild* detrended = DerivedWindows::createChild(client, *file, SignalKind::Detrended);
    marluneChild* grandchild = DerivedWindows::createChild(client, *smoothed, SignalKind::Detrended);
    marluneMDIChild* second = fileWindow();
    const ControlDiagram diagram(client);
    ASSERT_EQ(diagram.icons().size(), 5u);
    EXPECT_EQ(iconOf(diagram, file).x, 30);
    EXPECT_EQ(iconOf(diagram, file).y, 1 + 141 / 2) << "the middle of the band 1 ... 141";
    EXPECT_EQ(iconOf(diagram, smoothed).x, 170);
    EXPECT_EQ(iconOf(diagram, smoothed).y, 1 + 70 / 2);
    EXPECT_EQ(iconOf(diagram, detrended).y, 71 + 70 / 2);
    EXPECT_EQ(iconOf(diagram, grandchild).x, 310);
    EXPECT_EQ(iconOf(diagram, second).y, 141 + 71 / 2) << "the next root below the first band";
    EXPECT_EQ(diagram.hit(31, iconOf(diagram, file).y + 1), &iconOf(diagram, file));
    EXPECT_EQ(diagram.hit(30, iconOf(diagram, file).y + 1), nullptr) << "the left edge is outside";

    const std::vector<ControlDiagram::Line> lines = diagram.lines();
    ASSERT_EQ(lines.size(), 3u);
    const SigIco& from = iconOf(diagram, file);
    EXPECT_EQ(lines[0].x1, from.x + 32);
    EXPECT_EQ(lines[0].y1, from.y + 16);
    EXPECT_EQ(lines[0].colour, (Rgb{255, 0, 0}));
    EXPECT_FALSE(lines[0].dotted);
    detrended->unlink();
    const auto after = ControlDiagram(client).lines();
    EXPECT_TRUE(std::any_of(after.begin(), after.end(), [](const auto& l) { return l.dotted; }))
        << "an unlinked window hangs on a dotted line";
}

// An overlay in one system hangs on lines of its curves' colours, one per parent; stacked, on red lines
// alone; switching the form switches the lines.
TEST_F(TreeTest, AnOverlayInOneSystemHangsOnLinesOfItsCurvesColours)
{
    marluneMDIChild* a = fileWindow();
    marluneMDIChild* b = fileWindow();
    marluneJoinChild* overlay = marluneJoinChild::create(client, {a, b}, SignalKind::Overlay);
    ASSERT_NE(overlay, nullptr);
    const auto coloursOfLines = [&] {
        std::vector<Rgb> colours;
        for (const ControlDiagram::Line& line : ControlDiagram(client).lines())
            colours.push_back(line.colour);
        return colours;
    };
    std::vector<Rgb> colours = coloursOfLines();
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0], (Rgb{255, 0, 0}));
    EXPECT_NE(colours[1], colours[0]);
    overlay->command(marluneJoinChild::ShowInOneSystem);
    ASSERT_EQ(overlay->kind(), SignalKind::StackedOverlay);
    colours = coloursOfLines();
    EXPECT_EQ(colours, (std::vector<Rgb>(2, Rgb{255, 0, 0})));
}

TEST_F(TreeTest, LabelsTellTheWindowAndAreCutAtSixteen)
{
    marluneMDIChild* file = fileWindow(1000);
    file->setFileName("/data/recording-of-monday.wav");
    EXPECT_EQ(ControlDiagram::labelOf(*file), "1 (recording-;10...") << "cut to 16 characters";
    marluneChild* smoothed = DerivedWindows::createChild(client, *file, SignalKind::Detrended);
    EXPECT_EQ(ControlDiagram::labelOf(*smoothed), "2 (1000)");
    smoothed->changeTitle("a title of twenty-two");
    EXPECT_EQ(ControlDiagram::labelOf(*smoothed), "a title of twent...");
    EXPECT_EQ(ControlDiagram::iconOf(*smoothed), 17004);
    EXPECT_EQ(ControlDiagram::iconOf(*file), 59);
}
