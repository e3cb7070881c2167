#include <gtest/gtest.h>

#include "settings/FFTDefaultsForm.h"
#include "settings/SmoothingForm.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "support/CommaLocale.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

// A file written by a German user must read back anywhere, and one written anywhere must read back there.
TEST(SettingsUnderCommaLocale, TheHelperWritesAndReadsNumbersWithAPoint)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    TempFolder folder;
    const std::string file = (folder.path / "w.ini").string();
    {
        TIniHelper ini(file, "S");
        ini.writeDouble("", "half", 0.5);
        ini.writeExtended("", "SampleRate", 44100.5L);
    }
    EXPECT_EQ(readBytes(file), "[S]\r\nhalf=0.5\r\nSampleRate=44100.5\r\n");
    writeBytes(file, "[S]\r\nhalf=0.5\r\nSampleRate=44100.5\r\n");
    const TIniHelper ini(file, "S");
    EXPECT_EQ(ini.readDouble("", "half"), 0.5);
    EXPECT_EQ(ini.readExtended("", "SampleRate"), 44100.5L);
}

TEST(SettingsUnderCommaLocale, DialogFieldsReadAPointAsTheDecimalSeparator)
{
    const CommaLocale german;
    REQUIRE_COMMA_LOCALE(german);
    ScriptedUi ui;
    SmoothingForm smoothing(ui, 0, 15);
    smoothing.length = "2.7";
    ASSERT_TRUE(smoothing.accept());
    EXPECT_EQ(smoothing.lengthValue(), 2.7L);

    FFTDefaultsForm defaults(ui, builtInSpectralDefaults({}), FFTDefaultsForm::Context::Defaults);
    defaults.peakLimit = "2.9";
    ASSERT_TRUE(defaults.accept());
    EXPECT_EQ(defaults.result().removePeaksVal, 2) << "read as a real and truncated";
}

// As any empty decimal integer field, an empty "iterations" field reads 0; text that is no number is refused.
TEST(FFTDefaultsFormFields, AnEmptyIntegerFieldReadsZero)
{
    ScriptedUi ui;
    SpectralSettings start = builtInSpectralDefaults({});
    start.average = 7;
    FFTDefaultsForm form(ui, start, FFTDefaultsForm::Context::Defaults);
    form.averages = "";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.result().average, 0);
    form.averages = "  ";
    EXPECT_TRUE(form.accept());
    form.averages = "x";
    EXPECT_FALSE(form.accept());
    form.averages = "3";
    form.smoothLength = "";
    EXPECT_FALSE(form.accept()) << "an empty smoothing length reads 0, which is refused";
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Wrong settings !!");
}
