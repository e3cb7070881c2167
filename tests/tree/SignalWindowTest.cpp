#include "tree/TreeFixture.h"

#include "tree/StepChangeForm.h"

TEST_F(TreeTest, ZoomInNeedsASelectionOfAtLeast17Samples)
{
    auto* file = fileWindow();
    auto* child = derived("fft", {file});
    file->subscribe(view);
    file->setSelection(SampleSelection{{100, 115}, {100, 115}});
    EXPECT_FALSE(file->zoomIn());
    EXPECT_EQ(file->caption(), " 1#file");
    file->setSelection(SampleSelection{{100, 116}, {100, 116}});
    EXPECT_TRUE(file->zoomIn());
    EXPECT_EQ(file->signal()->visibleCount(), 17u);
    EXPECT_EQ(file->caption(), "~1#file");
    EXPECT_EQ(log, (std::vector<std::string>{"fft"}));
    file->setSelection(std::nullopt);
    EXPECT_TRUE(file->zoomOut());
    EXPECT_EQ(file->caption(), " 1#file");
    EXPECT_TRUE(file->zoomIn()) << "forward in the history without a selection";
    EXPECT_EQ(file->signal()->firstVisible(), 100u);
    EXPECT_EQ(child->notificationsExpected(), 0);
}

TEST_F(TreeTest, StepKeysStayWithinOneAndHalfTheLength)
{
    auto* file = fileWindow(64);
    client.setActiveChild(file);
    file->setStep(1);
    client.dispatch(23580);
    EXPECT_EQ(file->step(), 1u);
    EXPECT_EQ(ui.status[StatusField::Step], "1");
    file->setStep(31);
    client.dispatch(23581);
    client.dispatch(23581);
    EXPECT_EQ(file->step(), 32u);
}

TEST_F(TreeTest, StepMovesTheVisibleRangeOnlyWhenZoomed)
{
    auto* file = fileWindow(1000);
    derived("fft", {file});
    file->setStep(30);
    EXPECT_FALSE(file->stepRight());
    ASSERT_TRUE(file->signal()->zoomIn(0, 99));
    EXPECT_TRUE(file->stepRight());
    EXPECT_EQ(file->signal()->firstVisible(), 30u);
    EXPECT_TRUE(file->toEnd());
    EXPECT_EQ(file->signal()->lastVisible(), 999u);
    EXPECT_FALSE(file->stepRight());
    EXPECT_TRUE(file->toBeginning());
    EXPECT_EQ(file->signal()->firstVisible(), 0u);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(TreeTest, StepChangeDialogLinksItsFields)
{
    auto* file = fileWindow();
    client.setActiveChild(file);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& step = static_cast<StepChangeForm&>(form);
        EXPECT_EQ(step.samplesText, "30");
        EXPECT_EQ(step.secondsText, "0.03000");
        step.secondsText = "0.1234";
        step.secondsEdited();
        EXPECT_EQ(step.samplesText, "123");
        return true;
    });
    client.dispatch(1);
    EXPECT_EQ(file->step(), 123u);

    StepChangeForm form(5, 1000);
    form.samplesText = "65535";
    EXPECT_FALSE(form.accept());
    form.samplesText = "0";
    EXPECT_FALSE(form.accept());
}

TEST_F(TreeTest, SampleRateChangeRoundsToSinglePrecisionAndRecomputesNothing)
{
    auto* file = fileWindow();
    derived("fft", {file});
    client.setActiveChild(file);
    ui.inputAnswers.push_back("44100.3");
    client.dispatch(24);
    EXPECT_EQ(file->signal()->sampleRate(), static_cast<long double>(44100.3f));
    EXPECT_EQ(ui.status[StatusField::SampleRate], "44100.301");
    EXPECT_TRUE(log.empty());
    ui.inputAnswers.push_back("0");
    client.dispatch(24);
    EXPECT_EQ(file->signal()->sampleRate(), static_cast<long double>(44100.3f));
}

TEST_F(TreeTest, ChangeTitleKeepsTheStateMark)
{
    auto* file = fileWindow();
    client.setActiveChild(file);
    file->setStateMark('~');
    ui.inputAnswers.push_back("My signal");
    client.dispatch(136);
    EXPECT_EQ(file->caption(), "~My signal");
    EXPECT_TRUE(file->titleSetByUser());
}

TEST_F(TreeTest, RangeReadOutInSecondsOrSamples)
{
    auto* file = fileWindow(5000);
    client.setActiveChild(file);
    ASSERT_TRUE(file->signal()->zoomIn(1000, 1999));
    file->refreshStatusBar();
    EXPECT_EQ(ui.status[StatusField::RangeFrom], "1.000");
    EXPECT_EQ(ui.status[StatusField::RangeTo], "1.999");
    client.dispatch(3);
    EXPECT_EQ(ui.status[StatusField::RangeFrom], "1000");
    EXPECT_TRUE(client.dispatchState(3)->checked);
}
