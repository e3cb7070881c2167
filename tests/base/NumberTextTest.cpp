#include <gtest/gtest.h>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "support/CommaLocale.h"

// Under a German user's locale the texts the program writes and reads keep the decimal point.
TEST(NumberText, FormatsAndReadsWithAPointUnderACommaLocale)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    EXPECT_EQ(formatText("%g %Lg %.3Lf %.5G", 0.5, 44100.5L, 2.25L, 1.71), "0.5 44100.5 2.250 1.71");
    EXPECT_EQ(parseDouble("0.5"), 0.5);
    EXPECT_EQ(parseLongDouble("44100.5"), 44100.5L);
    EXPECT_EQ(parseFloat("-1.25e2"), -125.0f);
    EXPECT_EQ(parseDouble("2,5"), 2.0) << "a comma ends the number";
    char* end = nullptr;
    const char* text = "12x";
    EXPECT_EQ(parseLongLong(text, &end), 12);
    EXPECT_EQ(end, text + 2);
    EXPECT_EQ(parseDouble(""), 0.0);
}
