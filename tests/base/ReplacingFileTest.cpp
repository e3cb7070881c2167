#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "base/ReplacingFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {
bool replace(const fs::path& target, const std::string& content)
{
    ReplacingFile out(target);
    out.write(content.data(), content.size());
    return out.commit();
}
}  // namespace

TEST(ReplacingFile, WritesNewAndReplacesOldFiles)
{
    TempFolder folder;
    const fs::path file = folder.path / "a.bin";
    ASSERT_TRUE(replace(file, "first"));
    EXPECT_EQ(readBytes(file), "first");
    ASSERT_TRUE(replace(file, "second, longer"));
    EXPECT_EQ(readBytes(file), "second, longer");
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file is left";
}

// A full disk in the middle of a save must not cost the file that was there.
TEST(ReplacingFile, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    TempFolder folder;
    const fs::path file = folder.path / "keep.bin";
    writeBytes(file, "old content");
    {
        const FileSizeLimit fullDisk(4096);
        EXPECT_FALSE(replace(file, std::string(100000, 'x')));
    }
    EXPECT_EQ(readBytes(file), "old content");
    EXPECT_EQ(folder.entries(), 1u);

    ReplacingFile abandoned(file);
    abandoned.write("partial", 7);
    abandoned.markFailed();
    EXPECT_FALSE(abandoned.commit());
    EXPECT_EQ(readBytes(file), "old content");
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(ReplacingFile, AMissingFolderOrAFolderInPlaceFails)
{
    TempFolder folder;
    EXPECT_FALSE(replace(folder.path / "missing" / "x.bin", "x"));
    fs::create_directory(folder.path / "dir");
    EXPECT_FALSE(replace(folder.path / "dir", "x"));
    EXPECT_TRUE(fs::is_directory(folder.path / "dir"));
    EXPECT_EQ(folder.entries(), 1u);
}

// Saving through a link replaces the file it points to; the link stays a link.
TEST(ReplacingFile, ALinkIsFollowedAndKept)
{
    TempFolder folder;
    fs::create_directory(folder.path / "data");
    const fs::path real = folder.path / "data" / "real.wav";
    writeBytes(real, "old");
    const fs::path link = folder.path / "link.wav";
    fs::create_symlink(fs::path("data") / "real.wav", link);
    const fs::path chained = folder.path / "chained.wav";
    fs::create_symlink("link.wav", chained);
    ASSERT_TRUE(replace(chained, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(chained));
    EXPECT_EQ(readBytes(real), "new");
    EXPECT_EQ(readBytes(chained), "new");
}

TEST(ReplacingFile, TheReplacementKeepsThePermissions)
{
    TempFolder folder;
    const fs::path file = folder.path / "p.bin";
    writeBytes(file, "x");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(replace(file, "y"));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(replace(folder.path / "new.bin", "z"));
    ::umask(mask);
    EXPECT_EQ(fs::status(folder.path / "new.bin").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}
