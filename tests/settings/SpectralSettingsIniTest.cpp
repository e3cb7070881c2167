#include <gtest/gtest.h>

#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "support/TempFolder.h"

namespace {
constexpr const char* Section = "Spectral analysis defaults";
}  // namespace

class SpectralSettingsIniFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path file = folder.path / "defaults.ini";
};

TEST_F(SpectralSettingsIniFile, WritesTheSeventeenKeysInTheirOrder)
{
    SpectralSettings s;
    s.doNormalize = 1;
    s.doRemoveLinTrend = 2;
    s.removePeaksVal = 3;
    s.doRemovePeaks = 4;
    s.taperVal = 5;
    s.doTaper = 6;
    s.expandWithZerosVal = 7;
    s.doExpandWithZeros = 8;
    s.show = 9;
    s.smoothWindow = 10;
    s.smoothLen = -11;
    s.doSmooth = 12;
    s.doTestPeaks = 13;
    s.testPeaksLevel = 14;
    s.window = 15;
    s.type = 16;
    s.average = 17;
    {
        TIniHelper ini(file.string());
        writeSpectralSettings(ini, Section, s);
    }
    EXPECT_EQ(readBytes(file),
              "[Spectral analysis defaults]\r\nFFT_DoNormalize=1\r\nFFT_DoRemoveLinTrend=2\r\nFFT_RemovePeaksVal=3\r\n"
              "FFT_DoRemovePeaks=4\r\nFFT_DoTaper=6\r\nFFT_TaperVal=5\r\nFFT_DoExpandWithZeros=8\r\n"
              "FFT_ExpandWithZerosVal=7\r\nFFT_Show=9\r\nFFT_DoSmooth=12\r\nFFT_SmoothWindow=10\r\nFFT_Window=15\r\n"
              "FFT_SmoothLen=-11\r\nFFT_DoTestPeaks=13\r\nFFT_TestPeaksLevel=14\r\nFFT_Type=16\r\nFFT_Average=17\r\n");
    const TIniHelper ini(file.string());
    EXPECT_EQ(readSpectralSettings(ini, Section), s);
}

TEST_F(SpectralSettingsIniFile, SmoothingWindowAndTaperWindowComeBackInTheirOwnFields)
{
    SpectralSettings s;
    s.smoothWindow = 2;
    s.window = 4;
    s.testPeaksLevel = 1;
    {
        TIniHelper ini(file.string());
        writeSpectralSettings(ini, Section, s);
    }
    const TIniHelper ini(file.string());
    const SpectralSettings read = readSpectralSettings(ini, Section);
    EXPECT_EQ(read.smoothWindow, 2);
    EXPECT_EQ(read.window, 4);
}

TEST_F(SpectralSettingsIniFile, MissingKeysReadAsZero)
{
    writeBytes(file, "[Spectral analysis defaults]\nFFT_Show=3\n");
    const TIniHelper ini(file.string());
    SpectralSettings want;
    want.show = 3;
    EXPECT_EQ(readSpectralSettings(ini, Section), want);
}

TEST(SpectralSettingsDefaults, FifteenFieldsAreReplacedTypeAndAveragesKept)
{
    SpectralSettings read;
    read.doNormalize = 1;
    read.doSmooth = 1;
    read.smoothWindow = 2;
    read.window = 4;
    read.type = 1;
    read.average = 8;
    const SpectralSettings s = builtInSpectralDefaults(read);
    SpectralSettings want;
    want.removePeaksVal = 2;
    want.taperVal = 20;
    want.doTaper = 1;
    want.show = 2;
    want.smoothWindow = 3;
    want.smoothLen = 15;
    want.testPeaksLevel = 5;
    want.type = 1;
    want.average = 8;
    EXPECT_EQ(s, want);
}
