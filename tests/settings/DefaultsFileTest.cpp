#include <gtest/gtest.h>

#include "settings/DefaultsFile.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramPaths.h"
#include "dsp/SpectralSettings.h"
#include "settings/SpectralSettingsIni.h"
#include "support/HostileFiles.h"
#include "support/ScopedEnvironment.h"
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
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", config.path.string());
    EXPECT_EQ(DefaultsFile::locate(ProgramPaths(program.path, true)).readFrom(), program.path / "defaults.ini");
    EXPECT_EQ(DefaultsFile::locate(ProgramPaths(program.path, true)).writeTo(), program.path / "defaults.ini");
    const std::filesystem::path user = config.path / "marlune" / "defaults.ini";
    EXPECT_EQ(DefaultsFile::locate(ProgramPaths("/nonexistent/program/")).writeTo(), user);

    // Before the user has a copy the settings shipped in the program folder are read.
    writeBytes(program.path / "defaults.ini", "[Spectral analysis defaults]\r\nFFT_TestPeaksLevel=1\r\nFFT_Window=4\r\n");
    const ProgramPaths installed(program.path, false);
    const DefaultsFile first = DefaultsFile::locate(installed);
    EXPECT_EQ(first.readSpectral().window, 4);
    SpectralSettings changed = first.readSpectral();
    changed.window = 2;
    ASSERT_TRUE(first.write(changed)) << "the user's folder is made on the first write";
    EXPECT_EQ(PrivateProfile(program.path / "defaults.ini").getString(DefaultsFile::SpectralSection, "FFT_Window", ""), "4")
        << "the shipped copy is never written";
    // From then on the user's copy wins.
    EXPECT_EQ(DefaultsFile::locate(installed).readSpectral().window, 2);
}

TEST(DefaultsFile, ShippedFileHoldsTheBuiltInDefaults)
{
    // The shipped file and a run without any file start from the same settings.
    TempFolder folder;
    const DefaultsFile none(folder.path / "defaults.ini");
    const DefaultsFile shipped(std::filesystem::path(MARLUNE_SOURCE_DIR) / "resources" / "defaults.ini");
    EXPECT_EQ(shipped.readSpectral(), none.readSpectral());
    EXPECT_EQ(PrivateProfile(shipped.readFrom()).getString(DefaultsFile::SpectralSection, "FFT_TestPeaksLevel", ""), "5")
        << "the level is stored, so the file's values are taken as they stand";
}

// A defaults file that is no regular file of a settings file's size gives the built-in defaults.
TEST(DefaultsFile, HostileFilesGiveTheBuiltInDefaults)
{
    TempFolder folder;
    const HangGuard guard;
    for (const auto& hostile : hostileFiles(folder.path, "defaults.ini", PrivateProfile::MaxFileBytes + 1)) {
        const DefaultsFile file(hostile);
        EXPECT_EQ(file.readSpectral(), builtInSpectralDefaults({})) << hostile.filename();
    }
}
