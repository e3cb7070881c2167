#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/DefaultsFile.h"
#include "settings/PrivateProfile.h"
#include "support/TempFolder.h"

TEST(DefaultsFile, MissingFileGivesAndWritesTheBuiltInDefaults)
{
    TempFolder folder;
    const DefaultsFile file(folder.path / "defaults.ini");
    const SpectralSettings read = file.readSpectral();
    ASSERT_TRUE(file.write(read));
    PrivateProfile written(folder.path / "defaults.ini");
    const char* section = DefaultsFile::SpectralSection;
    const std::vector<std::pair<const char*, const char*>> expected{
        {"FFT_DoNormalize", "0"},   {"FFT_DoRemoveLinTrend", "0"}, {"FFT_RemovePeaksVal", "2"},
        {"FFT_DoRemovePeaks", "0"}, {"FFT_DoTaper", "1"},          {"FFT_TaperVal", "20"},
        {"FFT_DoExpandWithZeros", "0"}, {"FFT_ExpandWithZerosVal", "0"}, {"FFT_Show", "2"},
        {"FFT_DoSmooth", "0"},      {"FFT_SmoothWindow", "3"},     {"FFT_Window", "0"},
        {"FFT_SmoothLen", "15"},    {"FFT_DoTestPeaks", "0"},      {"FFT_TestPeaksLevel", "5"},
        {"FFT_Type", "0"},          {"FFT_Average", "0"}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(written.getString(section, key, "missing"), value) << key;
}

TEST(DefaultsFile, StoredLevelKeepsEveryStoredValue)
{
    TempFolder folder;
    writeBytes(folder.path / "defaults.ini", "[Spectral analysis defaults]\r\nFFT_TestPeaksLevel=1\r\n"
                                             "FFT_SmoothWindow=2\r\nFFT_Window=4\r\n[Other]\r\nKey=1\r\n");
    const DefaultsFile file(folder.path / "defaults.ini");
    const SpectralSettings read = file.readSpectral();
    EXPECT_EQ(read.smoothWindow, 2);
    EXPECT_EQ(read.window, 4);
    EXPECT_EQ(read.show, 0) << "no built-in values when the level is stored";
    ASSERT_TRUE(file.write(read));
    EXPECT_EQ(PrivateProfile(folder.path / "defaults.ini").sectionNames(),
              std::vector<std::string>{"Spectral analysis defaults"})
        << "the file is made anew";
}

TEST(DefaultsFile, UnwritableProgramFolderUsesTheUsersCopy)
{
    TempFolder program;
    TempFolder config;
    const std::string folder = program.path.string() + "/";
    EXPECT_EQ(DefaultsFile::locate(folder).readFrom(), program.path / "defaults.ini");
    EXPECT_EQ(DefaultsFile::locate(folder).writeTo(), program.path / "defaults.ini");
    ::setenv("XDG_CONFIG_HOME", config.path.c_str(), 1);
    const std::filesystem::path user = config.path / "marlune" / "defaults.ini";
    EXPECT_EQ(DefaultsFile::locate("/nonexistent/program/").writeTo(), user);

    // Before the user has a copy the settings shipped in the program folder are read.
    writeBytes(program.path / "defaults.ini", "[Spectral analysis defaults]\r\nFFT_TestPeaksLevel=1\r\nFFT_Window=4\r\n");
    const DefaultsFile first = DefaultsFile::locate(folder, false);
    EXPECT_EQ(first.readSpectral().window, 4);
    SpectralSettings changed = first.readSpectral();
    changed.window = 2;
    ASSERT_TRUE(first.write(changed));
    EXPECT_EQ(PrivateProfile(program.path / "defaults.ini").getString(DefaultsFile::SpectralSection, "FFT_Window", ""), "4")
        << "the shipped copy is never written";
    // From then on the user's copy wins.
    EXPECT_EQ(DefaultsFile::locate(folder, false).readSpectral().window, 2);
    ::unsetenv("XDG_CONFIG_HOME");
}
