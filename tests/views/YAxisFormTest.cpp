#include <gtest/gtest.h>

#include <vector>

#include "AxisRangeTestSupport.h"
#include "views/YAxisForm.h"

namespace {
YAxisForm::Settings settings(float max, float min)
{
    YAxisForm::Settings s;
    s.max = max;
    s.min = min;
    return s;
}
}  // namespace

TEST(YAxisForm, RangeIsShownInExponentForm)
{
    Previews previews;
    const YAxisForm form(settings(2.5f, -0.125f), previews.hooks());
    EXPECT_EQ(form.maxText, "2.500000E+00");
    EXPECT_EQ(form.minText, "-1.250000E-01");
    EXPECT_TRUE(form.instantPreview);
}

TEST(YAxisForm, SpinsMoveByATenthOfTheOwnMagnitude)
{
    Previews previews;
    YAxisForm form(settings(2, -1), previews.hooks());
    form.spinMax(+1);
    EXPECT_EQ(form.maxText, "2.200000E+00");
    form.spinMin(+1);
    EXPECT_EQ(form.minText, "-9.000000E-01");
    form.spinMin(-1);
    EXPECT_EQ(form.minText, "-9.900000E-01");
    ASSERT_EQ(previews.ranges.size(), 3u);
    EXPECT_FLOAT_EQ(previews.ranges.back().first, 2.2f);
    EXPECT_FLOAT_EQ(previews.ranges.back().second, -0.99f);
}

TEST(YAxisForm, ZeroDoesNotMove)
{
    Previews previews;
    YAxisForm form(settings(1, 0), previews.hooks());
    form.spinMin(+1);
    EXPECT_EQ(form.minText, "0.000000E+00");
}

TEST(YAxisForm, MinimumStaysBelowMaximum)
{
    // Raising 0.95 by 0.095 reaches 1.045, not below 1: refused. Lowering 1 to 0.9 is not above 0.95.
    Previews previews;
    YAxisForm form(settings(1, 0.95f), previews.hooks());
    const std::string min = form.minText;
    const std::string max = form.maxText;
    form.spinMin(+1);
    form.spinMax(-1);
    EXPECT_EQ(form.minText, min);
    EXPECT_EQ(form.maxText, max);
    EXPECT_TRUE(previews.ranges.empty());
}

TEST(YAxisForm, EditsPreviewOnlyAnOrderedRangeWithInstantPreview)
{
    Previews previews;
    YAxisForm form(settings(1, -1), previews.hooks());
    form.maxText = "-2";
    form.rangeEdited();
    EXPECT_TRUE(previews.ranges.empty());
    form.maxText = "5";
    form.rangeEdited();
    ASSERT_EQ(previews.ranges.size(), 1u);
    EXPECT_EQ(previews.ranges[0], (std::pair<float, float>{5, -1}));
    form.instantPreview = false;
    form.maxText = "6";
    form.rangeEdited();
    EXPECT_EQ(previews.ranges.size(), 1u);
}

TEST(YAxisForm, ScalingAndAxesSwitchesApplyAtOnce)
{
    Previews previews;
    YAxisForm form(settings(1, -1), previews.hooks());
    form.noAutoScale = true;
    form.noAutoScaleClicked();
    form.showAxes = false;
    form.showAxesClicked();
    EXPECT_EQ(previews.fixed, std::vector<bool>{true});
    EXPECT_EQ(previews.axes, std::vector<bool>{false});
}

TEST(YAxisForm, LabelsKeepNineteenCharacters)
{
    Previews previews;
    YAxisForm form(settings(1, -1), previews.hooks());
    form.xLabel = "12345678901234567890";
    form.yLabel = "Volts";
    EXPECT_TRUE(form.accept());
    EXPECT_EQ(form.storedXLabel(), "1234567890123456789");
    EXPECT_EQ(form.storedYLabel(), "Volts");
}
