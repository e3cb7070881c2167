#include "tree/TreeFixture.h"

#include <cmath>
#include <memory>

#include "settings/SmoothingForm.h"
#include "signal/AveragerSignal.h"
#include "signal/FILTSignal.h"
#include "signal/SmoothSignal.h"
#include "tree/CommandIds.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/FilterControlForm.h"
#include "tree/FilterForm.h"

namespace {
// Records the arguments of input dialogs as well.
class RecordingUi : public ScriptedUi {
public:
    struct Input {
        std::string caption, label, initial;
        int maxLength;
    };
    std::vector<Input> inputs;
    std::optional<std::string> inputDialog(const std::string& caption, const std::string& label,
                                           const std::string& initial, int maxLength) override
    {
        inputs.push_back({caption, label, initial, maxLength});
        return ScriptedUi::inputDialog(caption, label, initial, maxLength);
    }
};
}  // namespace

class ProcessingWindowsTest : public ::testing::Test {
protected:
    FakeView view;
    RecordingUi ui;
    marluneMDIClient client{ui, "/nonexistent/"};
    std::vector<std::string> log;

    marluneMDIChild* signalWindow(std::vector<float> values, long double rate)
    {
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, values.data(),
                                               uint32_t(values.size()), rate);
        auto w = std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, std::move(signal));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#name-1");
        w->setXLabel("sec");
        w->setYLabel("V");
        w->setCurveColour({0, 128, 0});
        auto* window = static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
        client.setActiveChild(window);
        return window;
    }
    marluneMDIChild* rampWindow(uint32_t n, long double rate = 1000)
    {
        return signalWindow(ramp(n), rate);
    }
    static std::vector<float> ramp(uint32_t n)
    {
        std::vector<float> v(n);
        std::iota(v.begin(), v.end(), 0.0f);
        return v;
    }
    // The window a command on `window` created, if any.
    marluneMDIChild* command(marluneMDIChild* window, int id)
    {
        client.setActiveChild(window);
        const auto before = client.windows().size();
        client.dispatch(id);
        return client.windows().size() > before ? static_cast<marluneMDIChild*>(client.windows().back()) : nullptr;
    }
    LoggingChild* logBelow(marluneMDIChild* parent)
    {
        auto w = std::make_unique<LoggingChild>(client, "child", log);
        w->attachToParents({parent});
        return static_cast<LoggingChild*>(client.addWindow(std::move(w)));
    }
};

TEST_F(ProcessingWindowsTest, ExtractSelectionNumbersItsPartsFromZero)
{
    auto* parent = rampWindow(1000);
    parent->subscribe(view);
    parent->setSelection(SampleSelection{{100, 199}, {100, 199}});
    auto* first = command(parent, Cmd::ExtractSelection);
    auto* second = command(parent, Cmd::ExtractSelection);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->caption(), " 2#PART:0( 1#name-1)");
    EXPECT_EQ(second->caption(), " 3#PART:1( 1#name-1)");
    EXPECT_EQ(first->signal()->count(), 100u);
    EXPECT_EQ(first->signal()->samples()[0], 100.0f);
    EXPECT_EQ(first->xLabel(), "sec");
    EXPECT_EQ(first->yLabel(), "V");
    EXPECT_EQ(first->curveColour(), (Rgb{0, 128, 0}));
    EXPECT_EQ(first->icon(), 57);

    // Without a selection nothing is made, but the command still counts.
    parent->setSelection(std::nullopt);
    EXPECT_EQ(command(parent, Cmd::ExtractSelection), nullptr);
    EXPECT_EQ(parent->partCounter(), 3);
    parent->setSelection(SampleSelection{{100, 199}, {100, 199}});
    parent->setStateMark('~');
    EXPECT_EQ(command(parent, Cmd::ExtractSelection)->caption(), " 4#PART:3(~1#name-1)");
}

TEST_F(ProcessingWindowsTest, TooShortExtractionsGiveNoWindow)
{
    auto* parent = rampWindow(3000);
    parent->subscribe(view);
    parent->setSelection(SampleSelection{{100, 107}, {100, 107}});
    EXPECT_EQ(command(parent, Cmd::ExtractSelection), nullptr);
    EXPECT_EQ(parent->partCounter(), 1);

    ui.formAnswers.push_back([](DialogForm& form) {
        auto& extract = static_cast<ExtractOdDoForm&>(form);
        extract.fromText = "1.0";
        extract.toText = "1.0035";
        return true;
    });
    EXPECT_EQ(command(parent, Cmd::ExtractFromTo), nullptr);
    EXPECT_EQ(client.creationCounter(), 3u) << "both refused windows took a number";
}

TEST_F(ProcessingWindowsTest, ExtractFromToClampsTheDialogsRangeToTheSignal)
{
    auto* parent = rampWindow(3000);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& extract = static_cast<ExtractOdDoForm&>(form);
        EXPECT_EQ(extract.fromText, "0.000000");
        EXPECT_EQ(extract.toText, "2.999000");
        extract.fromText = "-4";
        extract.toText = "2.5";
        return true;
    });
    auto* part = command(parent, Cmd::ExtractFromTo);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(ui.formsShown.back(), "ExtractOdDo");
    EXPECT_EQ(part->signal()->count(), 2501u);
    EXPECT_EQ(part->caption(), " 2#PART[0.00,2.50]( 1#name-1)");

    ui.formAnswers.push_back([](DialogForm& form) {
        auto& extract = static_cast<ExtractOdDoForm&>(form);
        extract.fromText = "1.5";
        extract.toText = "9";
        return true;
    });
    part = command(parent, Cmd::ExtractFromTo);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->signal()->count(), 1500u) << "an end beyond the signal becomes its end";
    EXPECT_EQ(part->caption(), " 3#PART[1.50,3.00]( 1#name-1)");
}

TEST_F(ProcessingWindowsTest, FilterDialogGetsTheBandAndTheWindowItsTitle)
{
    std::vector<float> v(1000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = float(std::sin(0.3 * i));
    auto* parent = signalWindow(v, 8000);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& filter = static_cast<FilterForm&>(form);
        EXPECT_EQ(filter.handedFrom(), "7.812500");
        EXPECT_EQ(filter.fromText, "0");
        EXPECT_EQ(filter.toText, "4000.000000");
        EXPECT_EQ(filter.type(), FilterType::BandPass);
        filter.toText = "1000";
        return true;
    });
    auto* filtered = command(parent, Cmd::Filter);
    ASSERT_NE(filtered, nullptr);
    EXPECT_EQ(ui.formsShown.back(), "Filter");
    EXPECT_EQ(filtered->caption(), " 2#FILT[0.00,1000.00]( 1#name-1)");
    EXPECT_EQ(filtered->signal()->count(), 1000u);
    EXPECT_EQ(filtered->xLabel(), "sec");
    EXPECT_EQ(filtered->icon(), 60);
    EXPECT_EQ(filtered->signal()->yMax(), parent->signal()->yMax());

    // Cancel creates nothing.
    EXPECT_EQ(command(parent, Cmd::Filter), nullptr);
}

TEST_F(ProcessingWindowsTest, FilterFormFieldRules)
{
    FilterForm form("7.812500", "4000.000000");
    form.fromText = "12";
    form.chooseType(FilterType::LowPass);
    EXPECT_EQ(form.fromText, "0");
    EXPECT_FALSE(form.fromEnabled());
    EXPECT_TRUE(form.toEnabled());
    form.toText = "300";
    form.chooseType(FilterType::HighPass);
    EXPECT_TRUE(form.fromEnabled());
    EXPECT_FALSE(form.toEnabled());
    EXPECT_EQ(form.toText, "300");
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.parameters(), (PendingParameters{0, 300, 4}));
}

TEST_F(ProcessingWindowsTest, FilterControlStepsWithinItsLimitsAndRecomputes)
{
    std::vector<float> v(1000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = float(std::sin(0.3 * i) + std::sin(0.01 * i));
    auto* parent = signalWindow(v, 1024);
    ui.formAnswers.push_back([](DialogForm& form) {
        static_cast<FilterForm&>(form).toText = "511";
        return true;
    });
    auto* filtered = command(parent, Cmd::Filter);
    ASSERT_NE(filtered, nullptr);
    logBelow(filtered);
    ASSERT_EQ(command(filtered, Cmd::Properties), nullptr);
    ASSERT_EQ(ui.modelessForms.size(), 1u);
    auto& control = static_cast<FilterControlForm&>(*ui.modelessForms[0]);
    EXPECT_EQ(control.formName(), "FilterControl");
    EXPECT_EQ(control.fromText(), "0.000");
    EXPECT_EQ(control.toText(), "511.000");

    // The step is 1024 / 1024 = 1 Hz; from may not go below 1024 / 1000 Hz.
    EXPECT_FALSE(control.stepFrom(-1));
    const Signal* before = filtered->signal();
    EXPECT_TRUE(control.stepFrom(+1));
    EXPECT_EQ(control.fromText(), "1.000");
    EXPECT_NE(filtered->signal(), before) << "rebuilt";
    EXPECT_EQ(log.size(), 1u) << "the window below recomputed once";
    EXPECT_TRUE(control.stepFrom(+1));
    EXPECT_EQ(control.fromText(), "2.000");
    EXPECT_FALSE(control.stepFrom(-1)) << "1 Hz lies below 1.024 Hz";

    EXPECT_TRUE(control.stepTo(+1));
    EXPECT_EQ(control.toText(), "512.000");
    EXPECT_FALSE(control.stepTo(+1)) << "half the sample rate is the limit";
    EXPECT_EQ(log.size(), 3u);

    client.closeWindow(filtered);
    EXPECT_FALSE(control.windowOpen());
    EXPECT_FALSE(control.stepTo(-1));
}

TEST_F(ProcessingWindowsTest, FilterPropertiesOpenTheControlBesideTheWindows)
{
    auto* parent = rampWindow(100);
    ui.formAnswers.push_back([](DialogForm&) { return true; });
    auto* filtered = command(parent, Cmd::Filter);
    ASSERT_NE(filtered, nullptr);
    command(filtered, Cmd::Properties);
    ASSERT_EQ(ui.modelessForms.size(), 1u);
    EXPECT_EQ(ui.modelessForms[0]->formName(), "FilterControl");
    EXPECT_EQ(ui.formsShown.size(), 1u) << "the one modal dialog is the Filter dialog that made the window";
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(ProcessingWindowsTest, SmoothingDialogRulesAndProperties)
{
    auto* parent = rampWindow(200);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& smoothing = static_cast<SmoothingForm&>(form);
        EXPECT_EQ(smoothing.window, 0);
        EXPECT_EQ(smoothing.length, "15");
        smoothing.length = "0";
        return true;
    });
    EXPECT_EQ(command(parent, Cmd::Smoothing), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Length must be positive value!");
    EXPECT_EQ(ui.messages[0].caption, "Marlune");

    ui.formAnswers.push_back([](DialogForm& form) {
        auto& smoothing = static_cast<SmoothingForm&>(form);
        smoothing.window = 3;
        smoothing.length = "2.7";
        EXPECT_TRUE(smoothing.accept());
        EXPECT_EQ(smoothing.lengthValue(), 2.7L);
        return true;
    });
    auto* smoothed = command(parent, Cmd::Smoothing);
    ASSERT_NE(smoothed, nullptr);
    EXPECT_EQ(smoothed->caption(), " 2#Smoothed( 1#name-1)") << "the refused dialog took no number";
    EXPECT_EQ(smoothed->icon(), 11050);
    auto& signal = static_cast<SmoothSignal&>(*smoothed->signal());
    EXPECT_EQ(signal.smoothType, 3);
    EXPECT_EQ(signal.smoothLength, 2);
    // A rectangle of 2 becomes one of 3 (odd): the ramp stays a ramp inside.
    EXPECT_NEAR(signal.samples()[10], 10.0f, 1e-4f);

    // Properties reopens on the window's own parameters and recomputes it in place.
    logBelow(smoothed);
    const float* block = signal.samples();
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& smoothing = static_cast<SmoothingForm&>(form);
        EXPECT_EQ(smoothing.window, 3);
        EXPECT_EQ(smoothing.length, "2");
        smoothing.length = "199";
        return true;
    });
    command(smoothed, Cmd::Properties);
    EXPECT_EQ(ui.formsShown.back(), "Smoothing");
    EXPECT_EQ(signal.smoothLength, 199);
    EXPECT_EQ(smoothed->signal(), &signal);
    EXPECT_EQ(signal.samples(), block);
    EXPECT_NEAR(signal.samples()[100], 100.0f, 1e-3f) << "the mean of samples 1 … 199";
    EXPECT_NEAR(signal.samples()[0], 9801.0f / 199, 1e-3f) << "(2 × (0 + … + 98) + 99) / 199 with the mirrored start";
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(ProcessingWindowsTest, RemovePeaksAsksForItsCoefficient)
{
    auto* parent = signalWindow({0, 0, 0, 10}, 100);
    EXPECT_EQ(command(parent, Cmd::RemovePeaks), nullptr);
    ASSERT_EQ(ui.inputs.size(), 1u);
    EXPECT_EQ(ui.inputs[0].caption, "Remove peaks");
    EXPECT_EQ(ui.inputs[0].label, "Koef. :");
    EXPECT_EQ(ui.inputs[0].initial, "2");
    EXPECT_EQ(ui.inputs[0].maxLength, 4);
    ui.inputAnswers.push_back("1");
    auto* removed = command(parent, Cmd::RemovePeaks);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->caption(), " 2#Peaks removed( 1#name-1)");
    EXPECT_EQ(removed->signal()->samples()[3], 2.5f);
}

TEST_F(ProcessingWindowsTest, DetrendCepstrumAndTheirLooks)
{
    auto* parent = signalWindow({1, 2, 3, 4}, 100);
    auto* detrended = command(parent, Cmd::RemoveTrend);
    ASSERT_NE(detrended, nullptr);
    EXPECT_EQ(detrended->caption(), " 2#Detrended( 1#name-1)");
    EXPECT_EQ(detrended->icon(), 17004);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_NEAR(detrended->signal()->samples()[i], 0.0f, 1e-6f);

    auto* long_ = rampWindow(1000);
    auto* cepstrum = command(long_, Cmd::Cepstrum);
    ASSERT_NE(cepstrum, nullptr);
    EXPECT_EQ(cepstrum->caption(), " 4#CEPSTRUM( 3#name-1)");
    EXPECT_EQ(cepstrum->signal()->count(), 512u);
    EXPECT_EQ(cepstrum->xLabel(), "sec");
    EXPECT_EQ(cepstrum->yLabel(), "");
    EXPECT_EQ(cepstrum->curveColour(), (Rgb{255, 0, 0}));
    EXPECT_EQ(cepstrum->icon(), 30000);
}

TEST_F(ProcessingWindowsTest, AveragerShowsTheMeanOfVersionsAndResets)
{
    auto* parent = signalWindow(std::vector<float>(20, 2.0f), 100);
    auto* averager = command(parent, Cmd::Averager);
    ASSERT_NE(averager, nullptr);
    EXPECT_EQ(averager->caption(), " 2#Averager( 1#name-1)");
    EXPECT_EQ(averager->icon(), 24456);
    ASSERT_TRUE(averager->commandState(Cmd::ResetData).has_value());
    EXPECT_TRUE(averager->commandState(Cmd::ResetData)->enabled);
    parent->signal()->fill(0, 19, 4);
    parent->updateAfterChange();
    EXPECT_EQ(averager->signal()->samples()[5], 3.0f);

    command(averager, Cmd::ResetData);
    parent->signal()->fill(0, 19, 9);
    parent->updateAfterChange();
    EXPECT_EQ(averager->signal()->samples()[5], 9.0f);

    auto* hold = command(parent, Cmd::PeakHold);
    ASSERT_NE(hold, nullptr);
    EXPECT_EQ(hold->caption(), " 3#Peak hold( 1#name-1)");
    EXPECT_EQ(hold->icon(), 24457);
    parent->signal()->fill(0, 19, 1);
    parent->updateAfterChange();
    EXPECT_EQ(hold->signal()->samples()[0], 9.0f);
    command(hold, Cmd::ResetData);
    EXPECT_EQ(hold->signal()->samples()[0], 1.0f);
    EXPECT_FALSE(parent->commandState(Cmd::ResetData).has_value()) << "only averagers and peak holds";
}

TEST_F(ProcessingWindowsTest, ZoomingTheParentRecomputesEachWindowOnce)
{
    auto* parent = rampWindow(2000);
    parent->subscribe(view);
    ui.formAnswers.push_back([](DialogForm&) { return true; });
    auto* filtered = command(parent, Cmd::Filter);
    ASSERT_NE(filtered, nullptr);
    auto* smoothed = [&] {
        ui.formAnswers.push_back([](DialogForm&) { return true; });
        return command(filtered, Cmd::Smoothing);
    }();
    ASSERT_NE(smoothed, nullptr);
    logBelow(smoothed);
    // The smoothed window is reached from the parent through the filter only once; a second
    // child under both makes a lattice.
    auto lattice = std::make_unique<LoggingChild>(client, "lattice", log);
    lattice->attachToParents({filtered, smoothed});
    client.addWindow(std::move(lattice));

    parent->setSelection(SampleSelection{{0, 999}, {0, 999}});
    ASSERT_TRUE(parent->zoomIn());
    EXPECT_EQ(filtered->signal()->count(), 1000u);
    EXPECT_EQ(smoothed->signal()->count(), 1000u);
    EXPECT_EQ(log, (std::vector<std::string>{"child", "lattice"}));
}

TEST_F(ProcessingWindowsTest, AnEmptyRecomputationKeepsThePreviousSignalAndMarksTheWindow)
{
    auto* parent = rampWindow(1000);
    parent->subscribe(view);
    parent->setSelection(SampleSelection{{0, 99}, {0, 99}});
    auto* part = command(parent, Cmd::ExtractSelection);
    ASSERT_NE(part, nullptr);
    const Signal* kept = part->signal();
    logBelow(part);
    // 10 % of a 95-sample range is 9 samples, below the 10 a recomputation needs.
    parent->setSelection(SampleSelection{{0, 94}, {0, 94}});
    ASSERT_TRUE(parent->zoomIn());
    EXPECT_TRUE(part->invalid());
    EXPECT_EQ(part->signal(), kept);
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(parent->zoomOut());
    EXPECT_FALSE(part->invalid());
    EXPECT_EQ(part->signal()->count(), 100u);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(ProcessingWindowsTest, AFilterWindowWithAFixedRangeKeepsItsPreviousRange)
{
    auto* parent = rampWindow(2000);
    parent->subscribe(view);
    ui.formAnswers.push_back([](DialogForm&) { return true; });
    auto* filtered = command(parent, Cmd::Filter);
    ASSERT_NE(filtered, nullptr);
    EXPECT_EQ(filtered->signal()->yMax(), 1999.0f) << "the parent's range";
    filtered->setFixedMinMax(true);
    filtered->signal()->setYRange(50, -50);
    parent->setSelection(SampleSelection{{0, 999}, {0, 999}});
    ASSERT_TRUE(parent->zoomIn());
    EXPECT_EQ(filtered->signal()->count(), 1000u);
    EXPECT_EQ(filtered->signal()->yMax(), 50.0f);
    EXPECT_EQ(filtered->signal()->yMin(), -50.0f);
}
