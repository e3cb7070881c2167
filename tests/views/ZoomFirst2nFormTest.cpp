#include <gtest/gtest.h>

#include "views/ZoomFirst2nForm.h"

TEST(ZoomFirst2nForm, ListsPowersFromSixteenBelowTheVisibleCount)
{
    const ZoomFirst2nForm form(100);
    EXPECT_EQ(form.entries(), (std::vector<std::string>{"16 (2^4)", "32 (2^5)", "64 (2^6)"}));
}

TEST(ZoomFirst2nForm, AnExactPowerIsNotListed)
{
    const ZoomFirst2nForm form(64);
    EXPECT_EQ(form.entries(), (std::vector<std::string>{"16 (2^4)", "32 (2^5)"}));
}

TEST(ZoomFirst2nForm, ChoiceGivesItsLength)
{
    ZoomFirst2nForm form(100000);
    EXPECT_EQ(form.entries().back(), "65536 (2^16)");
    form.chosen = 2;
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.length(), 64u);
}

TEST(ZoomFirst2nForm, NothingToChooseBelowSeventeenSamples)
{
    ZoomFirst2nForm form(16);
    EXPECT_TRUE(form.entries().empty());
    EXPECT_FALSE(form.accept());
}
