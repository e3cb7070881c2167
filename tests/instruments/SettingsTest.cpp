#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "instruments/InstrumentSettings.h"
#include "instruments/InstrumentSettingsIni.h"
#include "instruments/ValShowForm.h"
#include "settings/TIniHelper.h"
#include "support/CommaLocale.h"
#include "support/TempFolder.h"

namespace {
InstrumentSettings sample()
{
    InstrumentSettings s = InstrumentSettings::forKind(73);
    s.rangeFrom = -0.5;
    s.rangeTo = 1234.5;
    s.instrumentType = InstrumentSettings::Bar;
    s.alarmBeep = true;
    s.alarmInner = false;
    s.alarmRangeFrom = 0.25;
    s.alarmRangeTo = 2.5e-7;
    s.markerText = "peak";
    s.units = "mV";
    s.showMarkerY = true;
    s.appExec = "/usr/local/bin/alarm";
    s.appExecTime = 86400;
    return s;
}
}  // namespace

TEST(InstrumentSettings, KeysAreWrittenInOrderAndReadBackInTheCLocaleUnderACommaLocale)
{
    CommaLocale comma;
    REQUIRE_COMMA_LOCALE(comma);
    TempFolder folder;
    const auto file = folder.path / "w.mws";
    const InstrumentSettings written = sample();
    {
        TIniHelper ini(file.string());
        writeInstrumentSettings(ini, "Window_3", written);
    }
    EXPECT_EQ(readBytes(file),
              "[Window_3]\r\n"
              "Units=mV\r\n"
              "RangeFrom=-0.5\r\n"
              "RangeTo=1234.5\r\n"
              "InstrumentType=1\r\n"
              "AlarmBeep=1\r\n"
              "AlarmInner=0\r\n"
              "AlarmRangeFrom=0.25\r\n"
              "AlarmRangeTo=2.5e-07\r\n"
              "MarkerOn=1\r\n"
              "MarkerText=peak\r\n"
              "ShowMarkerX=0\r\n"
              "ShowMarkerY=1\r\n"
              "AppExec=/usr/local/bin/alarm\r\n"
              "AppExecTime=86400\r\n");

    const TIniHelper ini(file.string());
    const InstrumentSettings read = readInstrumentSettings(ini, "Window_3", InstrumentSettings::forKind(73));
    EXPECT_EQ(read.rangeFrom, -0.5);
    EXPECT_EQ(read.rangeTo, 1234.5);
    EXPECT_EQ(read.alarmRangeFrom, 0.25);
    EXPECT_EQ(read.alarmRangeTo, 2.5e-7);
    EXPECT_EQ(read.instrumentType, InstrumentSettings::Bar);
    EXPECT_TRUE(read.alarmBeep);
    EXPECT_FALSE(read.alarmInner);
    EXPECT_FALSE(read.noMarker) << "not stored: it follows the kind";
    EXPECT_TRUE(read.markerOn);
    EXPECT_EQ(read.markerText, "peak");
    EXPECT_EQ(read.units, "mV");
    EXPECT_TRUE(read.showMarkerY);
    EXPECT_EQ(read.appExec, written.appExec);
    EXPECT_EQ(read.appExecTime, 86400);
    EXPECT_TRUE(read.applicationUnconfirmed) << "a program named in a file waits for the person";
}

TEST(InstrumentSettings, LongTextsAreCutAndMissingKeysReadAsZero)
{
    TempFolder folder;
    TIniHelper ini((folder.path / "w.mws").string());
    ini.writeText("W", "MarkerText", "0123456789abcdefghij");
    ini.writeText("W", "Units", "0123456789abc");
    ini.writeText("W", "AppExec", std::string(300, 'a'));
    ini.writeText("W", "RangeFrom", "1.5e400");
    InstrumentSettings read = readInstrumentSettings(ini, "W", {});
    EXPECT_EQ(read.markerText, "0123456789abcde");
    EXPECT_EQ(read.units, "012345678");
    EXPECT_EQ(read.appExec.size(), 253u);
    EXPECT_TRUE(std::isinf(read.rangeFrom)) << "read as an extended real, then held as a double";

    read = readInstrumentSettings(ini, "Missing", InstrumentSettings::forKind(71));
    EXPECT_EQ(read.rangeTo, 0);
    EXPECT_FALSE(read.alarmInner) << "a missing key reads as 0";
    EXPECT_FALSE(read.applicationUnconfirmed);
}

TEST(InstrumentSettings, CriticalRangeIsClampedIntoTheScale)
{
    InstrumentSettings s;
    s.rangeFrom = 0;
    s.rangeTo = 10;
    s.alarmRangeFrom = -5;
    s.alarmRangeTo = 20;
    s.clampCriticalRange();
    EXPECT_EQ(s.alarmRangeFrom, 0);
    EXPECT_EQ(s.alarmRangeTo, 10);

    s.alarmRangeFrom = 12;
    s.alarmRangeTo = -3;
    s.clampCriticalRange();
    EXPECT_EQ(s.alarmRangeFrom, 10);
    EXPECT_EQ(s.alarmRangeTo, 0);
}

TEST(ValShowForm, ShowsTheSettingsAndTakesTheFieldsBack)
{
    InstrumentSettings s = InstrumentSettings::forKind(71);
    s.rangeFrom = 0.123456;
    s.rangeTo = 12345.6;
    s.appExecTime = 300;
    s.appExec = "/from/a/file";
    s.applicationUnconfirmed = true;
    ValShowForm form(s);
    EXPECT_EQ(form.rangeFromText, "0.1235");
    EXPECT_EQ(form.rangeToText, "1.235E+04");
    ASSERT_TRUE(form.interval);
    EXPECT_STREQ(ValShowForm::Intervals[*form.interval].label, "5 min");
    EXPECT_FALSE(form.markerControlsEnabled());

    form.rangeToText = "1,5";
    form.alarmToText = "7.25";
    form.units = "volts and more";
    form.markerOn = true;
    form.interval = 9;
    ASSERT_TRUE(form.accept());
    const InstrumentSettings& r = form.result();
    EXPECT_EQ(r.rangeFrom, 0.123456) << "a field left as shown keeps the exact value";
    EXPECT_EQ(r.rangeTo, 1) << "numbers are read in the C locale";
    EXPECT_EQ(r.alarmRangeTo, 7.25);
    EXPECT_EQ(r.units, "volts and");
    EXPECT_FALSE(r.markerOn) << "the marker controls are disabled for a mean";
    EXPECT_EQ(r.appExecTime, 86400);
    EXPECT_TRUE(r.applicationUnconfirmed) << "the program the file named is still not agreed to";
}

TEST(ValShowForm, IntervalsAndTypedPrograms)
{
    InstrumentSettings s = InstrumentSettings::forKind(74);
    s.appExecTime = 45;
    s.appExec = "/from/a/file";
    s.applicationUnconfirmed = true;
    ValShowForm form(s);
    EXPECT_FALSE(form.interval) << "45 s is none of the choices";
    EXPECT_TRUE(form.markerControlsEnabled());
    form.application = "/typed/by/hand";
    form.markerText = "a very long marker text";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.result().appExecTime, 0) << "no choice stores 0";
    EXPECT_FALSE(form.result().applicationUnconfirmed);
    EXPECT_EQ(form.result().markerText, "a very long mar");
}
