#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "settings/TIniHelper.h"

namespace fs = std::filesystem;

class TIniHelperFile : public ::testing::Test {
protected:
    TempFolder folder;
    fs::path file = folder.path / "settings.ini";
};

TEST_F(TIniHelperFile, WritesPrintfTextsAndFlushesWhenDestroyed)
{
    {
        TIniHelper ini(file.string(), "Main");
        ini.writeInt("", "i", -42);
        ini.writeLong("S", "l", 123456789L);
        ini.writeDouble("S", "tenth", 0.1);
        ini.writeDouble("S", "big", 1234567.0);
        ini.writeExtended("S", "third", 1.0L / 3);
        ini.writeExtended("S", "tiny", 1e-4000L);
        ini.writeText("S", "blank", " ");
    }
    EXPECT_EQ(readBytes(file), "[Main]\r\ni=-42\r\n[S]\r\nl=123456789\r\ntenth=0.1\r\nbig=1.23457e+06\r\n"
                               "third=0.333333\r\ntiny=1e-4000\r\nblank= \r\n");
}

TEST_F(TIniHelperFile, ReadsScanfConversionsWithZeroAndEmptyDefaults)
{
    writeBytes(file, "[S]\nhex=0x10\noct=010\nd=2.5E3\ntiny=1e-4000\nblank=\" \"\nbad=abc\nlong=" +
                         std::string(300, 'x') + "\n");
    const TIniHelper ini(file.string(), "S");
    EXPECT_EQ(ini.readInt("S", "hex"), 16);
    EXPECT_EQ(ini.readInt("", "oct"), 8);
    EXPECT_EQ(ini.readLong("S", "hex"), 16L);
    EXPECT_EQ(ini.readDouble("S", "d"), 2500.0);
    EXPECT_EQ(ini.readExtended("S", "tiny"), 1e-4000L);
    EXPECT_EQ(ini.readInt("S", "bad"), 0);
    EXPECT_EQ(ini.readInt("S", "missing"), 0);
    EXPECT_EQ(ini.readText("S", "blank"), "");
    EXPECT_EQ(ini.readText("S", "missing"), "");
    EXPECT_EQ(ini.readText("S", "long"), std::string(255, 'x'));
    EXPECT_EQ(ini.readWholeText("S", "long"), std::string(300, 'x'));
    EXPECT_EQ(ini.readWholeText("S", "blank"), "");
    EXPECT_EQ(ini.readWholeText("S", "missing"), "");
}

TEST_F(TIniHelperFile, HundredsOfWritesCostOneAtomicFileWrite)
{
    writeBytes(file, "[Old]\nk=1\n");
    TIniHelper ini(file.string(), "Keys");
    std::string expected = "[Old]\r\nk=1\r\n[Keys]\r\n";
    for (int i = 0; i < 400; ++i) {
        ini.writeInt("", "Key" + std::to_string(i), i);
        expected += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(ini.readInt("keys", "KEY399"), 399);
    EXPECT_EQ(readBytes(file), "[Old]\nk=1\n");
    ASSERT_TRUE(ini.flush());
    EXPECT_EQ(readBytes(file), expected);
    EXPECT_EQ(folder.entries(), 1u);
    // Nothing changed since: neither flush() nor the destructor writes again.
    writeBytes(file, "replaced");
    EXPECT_TRUE(ini.flush());
    EXPECT_EQ(readBytes(file), "replaced");
}

TEST_F(TIniHelperFile, CreateKeepsOrEmptiesTheFile)
{
    const fs::path other = folder.path / "other.ini";
    writeBytes(file, "[A]\r\nk=1\r\n");
    writeBytes(other, "[A]\r\nk=1\r\n");
    {
        TIniHelper ini;
        ini.create(file.string(), false);
        ini.writeInt("A", "k", ini.readInt("A", "k") + 1);
        ini.create(other.string(), true);
        EXPECT_EQ(ini.readInt("A", "k"), 0);
        EXPECT_EQ(readBytes(file), "[A]\r\nk=2\r\n");
    }
    EXPECT_EQ(readBytes(other), "");
}

TEST_F(TIniHelperFile, MissingFolderFailsSilently)
{
    TIniHelper ini((folder.path / "missing" / "x.ini").string(), "A");
    ini.writeInt("", "k", 7);
    EXPECT_EQ(ini.readInt("", "k"), 7);
    EXPECT_FALSE(ini.flush());
    EXPECT_EQ(folder.entries(), 0u);
}
