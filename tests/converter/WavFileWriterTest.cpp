#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <set>
#include <string>

#include "converter/WavFileWriter.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {
std::set<ino_t> syncedFiles;
}  // namespace

// Every fsync of this test program passes here, so a test can tell which files were synced.
extern "C" int fsync(int fd)
{
    struct stat file {};
    if (::fstat(fd, &file) == 0)
        syncedFiles.insert(file.st_ino);
    return int(::syscall(SYS_fsync, fd));
}

// The converter's output is saved as the program saves: through a link to the file it names, with
// that file's permissions, synced to the disk before the rename.
TEST(WavFileWriter, SavesThroughALinkKeepingThePermissionsAndSyncsTheFile)
{
    TempFolder folder;
    fs::create_directory(folder.path / "data");
    const fs::path real = folder.path / "data" / "real.wav";
    writeBytes(real, "old");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, mode);
    const fs::path link = folder.path / "out.wav";
    fs::create_symlink(fs::path("data") / "real.wav", link);

    WavFileWriter writer(link, 2, 8000);
    ASSERT_TRUE(writer.isOpen());
    const int16_t samples[] = {1, -2, 3, -4};
    ASSERT_TRUE(writer.write(samples));
    EXPECT_EQ(writer.frames(), 2u);
    ASSERT_TRUE(writer.commit());

    EXPECT_TRUE(fs::is_symlink(link));
    const std::string bytes = readBytes(real);
    ASSERT_EQ(bytes.size(), 44u + sizeof samples);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(44), std::string(reinterpret_cast<const char*>(samples), sizeof samples));
    EXPECT_EQ(fs::status(real).permissions(), mode);
    struct stat written {};
    ASSERT_EQ(::stat(real.c_str(), &written), 0);
    EXPECT_EQ(syncedFiles.count(written.st_ino), 1u) << "the file was synced before its rename";
    EXPECT_EQ(folder.entries(), 2u) << "no temporary file is left";
}
