#include <gtest/gtest.h>

#include "fileio/SampleRateForm.h"
#include "support/CommaLocale.h"

TEST(SampleRateForm, AcceptsOnlyAFinitePositiveRate)
{
    SampleRateForm form;
    for (const char* refused : {"", "0", "-8000", "abc", "1e9999", "nan", "1e-320", "1e-4000"}) {
        form.text = refused;
        EXPECT_FALSE(form.accept()) << refused;
    }
    form.text = "44100.5";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.rate, 44100.5L);
    form.text = "123456789012345";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.rate, 12345678901.0L) << "the field holds 11 characters";
}

TEST(SampleRateForm, ReadsAPointUnderACommaLocale)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    SampleRateForm form;
    form.text = "44100.5";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.rate, 44100.5L);
}
