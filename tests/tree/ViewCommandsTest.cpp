#include "tree/TreeFixture.h"

#include <cstring>

#include "tree/CommandIds.h"
#include "views/YAxisForm.h"
#include "views/ZoomFirst2nForm.h"

namespace {
std::vector<uint8_t> blockOf(std::vector<float> values)
{
    std::vector<uint8_t> block(4 * values.size() + 5, 0);
    const float n = float(values.size());
    std::memcpy(block.data(), &n, 4);
    std::memcpy(block.data() + 4, values.data(), 4 * values.size());
    return block;
}

class ViewCommandsTest : public TreeTest {
protected:
    // A ramp 0, 1, 2 ... shown in the fake view and active.
    marluneMDIChild* ramp(uint32_t n = 1000)
    {
        auto* file = fileWindow(n);
        file->subscribe(view);
        client.setActiveChild(file);
        return file;
    }
};
}  // namespace

TEST_F(ViewCommandsTest, CopyPutsTheSelectedSamplesOnTheClipboard)
{
    auto* file = ramp();
    EXPECT_FALSE(client.dispatchState(Cmd::Copy)->enabled);
    file->setSelection(SampleSelection{{10, 12}, {10, 12}});
    EXPECT_TRUE(client.dispatchState(Cmd::Copy)->enabled);
    const int repaints = view.repaints;
    client.dispatch(Cmd::Copy);
    EXPECT_EQ(ui.clipboard, blockOf({10, 11, 12}));
    EXPECT_EQ(ui.clipboard->size(), 17u);
    EXPECT_EQ(view.repaints, repaints + 1);
    EXPECT_EQ(ui.status[StatusField::RangeFrom], "0.000");
}

TEST_F(ViewCommandsTest, CopyAndCutNeedAWindowWithoutParent)
{
    auto* file = ramp();
    auto* child = derived("smooth", {file});
    child->subscribe(view);
    client.setActiveChild(child);
    child->setSelection(SampleSelection{{10, 12}, {10, 12}});
    EXPECT_FALSE(client.dispatchState(Cmd::Copy)->enabled);
    EXPECT_FALSE(client.dispatchState(Cmd::Cut)->enabled);
}

TEST_F(ViewCommandsTest, CutRemovesTheSelectionAndRecomputesChildren)
{
    auto* file = ramp();
    derived("fft", {file});
    file->setSelection(SampleSelection{{100, 199}, {100, 199}});
    client.dispatch(Cmd::Cut);
    EXPECT_EQ(file->signal()->count(), 900u);
    EXPECT_EQ(file->signal()->samples()[100], 200);
    ASSERT_TRUE(ui.clipboard);
    EXPECT_EQ(ui.clipboard->size(), 405u);
    EXPECT_EQ(log, std::vector<std::string>{"fft"});
}

TEST_F(ViewCommandsTest, RefusedCutPutsNothingOnTheClipboard)
{
    auto* file = ramp(20);
    // 20 - 16 leaves 4 visible samples, fewer than 5.
    file->setSelection(SampleSelection{{2, 17}, {2, 17}});
    client.dispatch(Cmd::Cut);
    EXPECT_EQ(file->signal()->count(), 20u);
    EXPECT_FALSE(ui.clipboard);
    // A single sample is no cut at all.
    file->setSelection(SampleSelection{{5, 5}, {5, 5}});
    client.dispatch(Cmd::Cut);
    EXPECT_EQ(file->signal()->count(), 20u);
}

TEST_F(ViewCommandsTest, PasteWritesFromTheSampleUnderTheCursor)
{
    auto* file = ramp();
    EXPECT_FALSE(client.dispatchState(Cmd::Paste)->enabled);
    ui.clipboard = blockOf({-5, -6});
    EXPECT_TRUE(client.dispatchState(Cmd::Paste)->enabled);
    ASSERT_TRUE(file->signal()->zoomIn(100, 199));
    file->setPasteOffset(3);
    client.dispatch(Cmd::Paste);
    EXPECT_EQ(file->signal()->samples()[103], -5);
    EXPECT_EQ(file->signal()->samples()[104], -6);
    EXPECT_EQ(file->signal()->yMin(), -6);
    // The block does not fit at the last sample.
    file->setPasteOffset(899);
    client.dispatch(Cmd::Paste);
    EXPECT_EQ(file->signal()->samples()[999], 999);
}

TEST_F(ViewCommandsTest, FillsSetTheSelectionToZeroOrToTheVisibleMean)
{
    auto* file = ramp();
    ASSERT_TRUE(file->signal()->zoomIn(100, 199));
    file->setSelection(SampleSelection{{120, 130}, {120, 130}});
    client.dispatch(Cmd::FillMean);
    // Mean of 100 ... 199 is 149.5.
    EXPECT_EQ(file->signal()->samples()[120], 149.5f);
    EXPECT_EQ(file->signal()->samples()[130], 149.5f);
    EXPECT_EQ(file->signal()->samples()[131], 131);
    file->setSelection(SampleSelection{{140, 141}, {140, 141}});
    client.dispatch(Cmd::FillZero);
    EXPECT_EQ(file->signal()->samples()[141], 0);
    EXPECT_EQ(file->signal()->yMin(), 0);
    file->setSelection(std::nullopt);
    EXPECT_FALSE(client.dispatchState(Cmd::FillZero)->enabled);
}

TEST_F(ViewCommandsTest, ZoomToPowerOfTwoKeepsTheStart)
{
    auto* file = ramp();
    ASSERT_TRUE(file->signal()->zoomIn(100, 599));
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& zoom = static_cast<ZoomFirst2nForm&>(form);
        EXPECT_EQ(zoom.entries().back(), "256 (2^8)");
        zoom.chosen = 2;
        return true;
    });
    client.dispatch(Cmd::ZoomPow2);
    EXPECT_EQ(ui.formsShown, std::vector<std::string>{"ZoomFirst2n"});
    EXPECT_EQ(file->signal()->firstVisible(), 100u);
    EXPECT_EQ(file->signal()->lastVisible(), 163u);
    EXPECT_EQ(file->caption()[0], '~');
}

TEST_F(ViewCommandsTest, AxesSettingsPreviewTheRangeAndKeepLabelsOnOk)
{
    auto* file = ramp();
    bool fixedDuringPreview = false;
    ui.formAnswers.push_back([&](DialogForm& form) {
        auto& axes = static_cast<YAxisForm&>(form);
        EXPECT_EQ(axes.maxText, "9.990000E+02");
        axes.maxText = "2000";
        axes.rangeEdited();
        fixedDuringPreview = file->fixedMinMax();
        axes.logX = true;
        axes.xLabel = "Time in seconds here";
        return true;
    });
    client.dispatch(Cmd::AxesSettings);
    EXPECT_EQ(file->signal()->yMax(), 2000);
    EXPECT_FALSE(fixedDuringPreview) << "the fixed flag is only held while repainting";
    EXPECT_FALSE(file->fixedMinMax());
    EXPECT_TRUE(file->logXAxis());
    EXPECT_EQ(file->xLabel(), "Time in seconds her");
}

TEST_F(ViewCommandsTest, CancelledAxesSettingsKeepThePreviewedRangeOnly)
{
    auto* file = ramp();
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& axes = static_cast<YAxisForm&>(form);
        axes.spinMax(+1);
        axes.showAxes = false;
        axes.showAxesClicked();
        axes.xLabel = "ignored";
        return false;
    });
    client.dispatch(Cmd::AxesSettings);
    EXPECT_FLOAT_EQ(file->signal()->yMax(), 1098.9f);
    EXPECT_FALSE(file->drawAxes());
    EXPECT_EQ(file->xLabel(), "");
}

TEST_F(ViewCommandsTest, HarmonicRulerOnlyInSpectra)
{
    ramp();
    EXPECT_FALSE(client.dispatchState(Cmd::HarmonicRuler)->enabled);
}

TEST_F(ViewCommandsTest, CursorReadoutInUnitsOrSamples)
{
    auto* file = ramp();
    // The ramp at 1000 Hz: sample 250 lies at 0.25 s and holds 250.
    file->showCursorReadout(250);
    EXPECT_EQ(ui.status[StatusField::X], "0.250000");
    EXPECT_EQ(ui.status[StatusField::Y], "250");
    file->setOriginalUnits(0);
    file->showCursorReadout(250);
    EXPECT_EQ(ui.status[StatusField::X], "250");
}
