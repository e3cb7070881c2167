#include <gtest/gtest.h>

#include "settings/PrivateProfile.h"
#include "settings/TIniHelper.h"
#include "support/AddressSpaceLimit.h"
#include "support/HostileFiles.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class PrivateProfileFile : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path file = folder.path / "settings.ini";
};

TEST_F(PrivateProfileFile, ReadsBomAndMixedLineEndsWithCaseBlindTrimmedLookup)
{
    writeBytes(file, "\xEF\xBB\xBF; made by hand\n[Main]\r\n  Rate  =  44100  \nQuoted=\"a b\"\r\n"
                     "rate=8000\n;Hidden=1\nno equals sign\n[ Other ]\nx=1");
    const PrivateProfile profile(file);
    EXPECT_EQ(profile.getString("MAIN", "rate", "d"), "44100");
    EXPECT_EQ(profile.getString("main", "QUOTED", "d"), "a b");
    EXPECT_EQ(profile.getString("Main", "Hidden", "d"), "d");
    EXPECT_EQ(profile.getString("Main", "Missing", "d"), "d");
    EXPECT_EQ(profile.getString("Nowhere", "x", "d"), "d");
    EXPECT_EQ(profile.getString("other", "X", "d"), "1");
    EXPECT_EQ(profile.sectionNames(), (Names{"Main", "Other"}));
    EXPECT_EQ(profile.keys("MAIN"), (Names{"Rate", "Quoted"}));
}

TEST_F(PrivateProfileFile, WritesCrlfLinesReplacingInPlaceAndAppendingSections)
{
    PrivateProfile profile(file);
    profile.setString("A", "Key", "1");
    profile.setString("B", "x", "2");
    profile.setString("a", "k2", "3");
    profile.setString("A", "KEY", "4");
    ASSERT_TRUE(profile.save());
    EXPECT_EQ(readBytes(file), "[A]\r\nKey=4\r\nk2=3\r\n[B]\r\nx=2\r\n");
}

TEST_F(PrivateProfileFile, ClearSectionEmptiesOnlyThatSectionAndKeepsComments)
{
    writeBytes(file, "\xEF\xBB\xBF; top\n[A]\na=1\n; gone too\nb=2\n\n[B]\n;note\nc=3\n");
    PrivateProfile profile(file);
    profile.clearSection("a");
    EXPECT_EQ(profile.getString("A", "a", "d"), "d");
    profile.setString("A", "z", "9");
    profile.clearSection("New");
    ASSERT_TRUE(profile.save());
    EXPECT_EQ(readBytes(file), "\xEF\xBB\xBF; top\r\n[A]\r\nz=9\r\n[B]\r\n;note\r\nc=3\r\n[New]\r\n");
}

// A directory in the file's place can be neither read nor renamed over, whoever runs the test.
TEST_F(PrivateProfileFile, DirectoryInPlaceOfTheFileReadsDefaultsAndFailsToSave)
{
    fs::create_directory(file);
    writeBytes(file / "inside", "kept");
    PrivateProfile blocked(file);
    EXPECT_EQ(blocked.getString("A", "k", "default"), "default");
    blocked.setString("A", "k", "v");
    EXPECT_FALSE(blocked.save());
    EXPECT_EQ(folder.entries(), 1u);
    EXPECT_EQ(readBytes(file / "inside"), "kept");
}

TEST_F(PrivateProfileFile, ReadOnlyFolderKeepsTheOldFile)
{
    writeBytes(file, "[A]\r\nk=old\r\n");
    PrivateProfile profile(file);
    profile.setString("A", "k", "new");
    fs::permissions(folder.path, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(folder.path / "probe"))
        GTEST_SKIP() << "folder permissions do not bind this user";
    EXPECT_FALSE(profile.save());
    EXPECT_EQ(readBytes(file), "[A]\r\nk=old\r\n");
}

// A value with a line break must not smuggle keys or sections into the file.
TEST_F(PrivateProfileFile, LineBreaksInAValueCannotAddKeysOrSections)
{
    {
        PrivateProfile profile(file);
        profile.setString("Window_1", "FileName", "/data/a.wav\r\n[Evil]\r\nKey=1");
        profile.setString("Window_2", "Label\n[Evil]", "x");
        ASSERT_TRUE(profile.save());
    }
    const PrivateProfile read(file);
    EXPECT_EQ(read.sectionNames(), (std::vector<std::string>{"Window_1", "Window_2"}));
    EXPECT_EQ(read.keys("Window_1"), std::vector<std::string>{"FileName"});
    EXPECT_EQ(read.getString("Window_1", "FileName", ""), "/data/a.wav  [Evil]  Key=1");
    EXPECT_EQ(read.keys("Window_2").size(), 1u);
}

// A settings file is read only when it is a regular file of a settings file's size: a link to /dev/zero,
// a FIFO, a folder and a file one byte too large read as a missing file, at once.
TEST_F(PrivateProfileFile, OnlyRegularFilesOfBoundedSizeAreRead)
{
    const HangGuard guard;
    const AddressSpaceLimit limit(PrivateProfile::MaxFileBytes * 4);
    for (const fs::path& hostile : hostileFiles(folder.path, "settings", PrivateProfile::MaxFileBytes + 1)) {
        SCOPED_TRACE(hostile.filename().string());
        EXPECT_FALSE(PrivateProfile::readable(hostile));
        const PrivateProfile profile(hostile);
        EXPECT_TRUE(profile.sectionNames().empty());
        TIniHelper helper(hostile.string());
        EXPECT_EQ(helper.readInt("Main", "Key"), 0);
    }
    // A file of the largest size is read.
    const fs::path largest = folder.path / "largest.ini";
    writeBytes(largest, "[Main]\nKey=1\n");
    fs::resize_file(largest, PrivateProfile::MaxFileBytes);
    EXPECT_TRUE(PrivateProfile::readable(largest));
    EXPECT_EQ(PrivateProfile(largest).getString("Main", "Key", ""), "1");
}
