#include <gtest/gtest.h>

#include <vector>

#include "AxisRangeTestSupport.h"
#include "views/ZAxisForm.h"

namespace {
ZAxisForm::Settings settings(float max, float min)
{
    ZAxisForm::Settings s;
    s.max = max;
    s.min = min;
    s.xLabel = "sec";
    s.yLabel = "Hz";
    s.zLabel = "dB";
    return s;
}
}  // namespace

TEST(ZAxisForm, StartsFromTheLevelAndTheWindow)
{
    Previews previews;
    ZAxisForm::Settings s = settings(1500.0f, -0.125f);
    s.fixed = true;
    s.axes = false;
    const ZAxisForm form(s, previews.hooks());
    EXPECT_EQ(form.maxText, "1.500000E+03");
    EXPECT_EQ(form.minText, "-1.250000E-01");
    EXPECT_TRUE(form.noAutoScale);
    EXPECT_FALSE(form.showAxes);
    EXPECT_EQ(form.zLabel, "dB");
    EXPECT_TRUE(previews.ranges.empty());
}

TEST(ZAxisForm, SpinsMoveByFivePercentOfTheOwnMagnitudeAndPreview)
{
    Previews previews;
    ZAxisForm form(settings(200.0f, -40.0f), previews.hooks());
    form.spinMax(+1);
    EXPECT_EQ(form.maxText, "2.100000E+02");
    form.spinMin(-1);
    EXPECT_EQ(form.minText, "-4.200000E+01");
    form.spinMin(+1);
    EXPECT_EQ(form.minText, "-3.990000E+01");
    ASSERT_EQ(previews.ranges.size(), 3u);
    EXPECT_EQ(previews.ranges[0], std::make_pair(210.0f, -40.0f));
    EXPECT_EQ(previews.ranges[2], std::make_pair(210.0f, -39.9f));
}

// The minimum is raised and the maximum lowered only while they stay apart.
TEST(ZAxisForm, SpinsNeverCrossTheOtherEnd)
{
    Previews previews;
    ZAxisForm form(settings(1.0f, 0.97f), previews.hooks());
    form.spinMax(-1);
    EXPECT_EQ(form.maxText, "1.000000E+00");
    form.spinMin(+1);
    EXPECT_EQ(form.minText, "9.700000E-01");
    EXPECT_TRUE(previews.ranges.empty());
    form.spinMin(-1);
    EXPECT_EQ(form.minText, "9.215000E-01");
    EXPECT_EQ(previews.ranges.size(), 1u);
}

TEST(ZAxisForm, TypedRangesPreviewOnlyWhenOrdered)
{
    Previews previews;
    ZAxisForm form(settings(1.0f, 0.0f), previews.hooks());
    form.maxText = "5";
    form.minText = "7";
    form.rangeEdited();
    EXPECT_TRUE(previews.ranges.empty());
    form.minText = "-2.5E+00";
    form.rangeEdited();
    ASSERT_EQ(previews.ranges.size(), 1u);
    EXPECT_EQ(previews.ranges[0], std::make_pair(5.0f, -2.5f));
}

TEST(ZAxisForm, SwitchesApplyAtOnceAndLabelsKeepNineteen)
{
    Previews previews;
    ZAxisForm form(settings(1.0f, 0.0f), previews.hooks());
    form.noAutoScale = true;
    form.noAutoScaleClicked();
    form.showAxes = false;
    form.showAxesClicked();
    EXPECT_EQ(previews.fixed, std::vector<bool>{true});
    EXPECT_EQ(previews.axes, std::vector<bool>{false});
    form.zLabel = "abcdefghijklmnopqrst";
    EXPECT_TRUE(form.accept());
    EXPECT_EQ(form.storedZLabel(), "abcdefghijklmnopqrs");
    EXPECT_EQ(form.storedXLabel(), "sec");
}
