#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fileio/AsciiExport.h"
#include "fileio/BinFile.h"
#include "fileio/WavWriter.h"
#include "settings/PrivateProfile.h"
#include "signal/SignalKind.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {
// A file system of 256 KiB mounted for the test (root only; skipped where mounting is not permitted).
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& folder) : folder_(folder)
    {
        fs::create_directories(folder);
        mounted_ = ::mount("marlune-test", folder.c_str(), "tmpfs", 0, "size=256k") == 0;
        why_ = mounted_ ? "" : std::strerror(errno);
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    // Takes every free block but `leave` bytes.
    void fillUpTo(std::size_t leave) const
    {
        std::FILE* filler = std::fopen((folder_ / "filler").c_str(), "wb");
        const std::vector<char> block(4096, 'f');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0)
            ;
        std::fclose(filler);
        fs::resize_file(folder_ / "filler", fs::file_size(folder_ / "filler") - leave);
    }

private:
    fs::path folder_;
    bool mounted_ = false;
    std::string why_;
};
}  // namespace

// A real full disk: every writer answers false, the old file stays as it was and no temporary is left.
TEST(FullDisk, EveryWriterKeepsTheOldFileOnAFullFileSystem)
{
    TempFolder folder;
    const SmallDisk disk(folder.path / "disk");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small file system here: " << disk.why();
    const fs::path root = folder.path / "disk";

    std::vector<float> samples(60000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(std::sin(0.01 * double(i)));
    const Signal signal(nullptr, SignalKind::Generated, samples.data(), uint32_t(samples.size()), 8000);
    const auto bigProfile = [](const fs::path& path) {
        PrivateProfile profile(path);
        for (int k = 0; k < 8000; ++k)
            profile.setString("Big", "Key" + std::to_string(k), "a value long enough to fill the disk");
        return profile.save();
    };
    const std::vector<std::pair<std::string, std::function<bool(const fs::path&)>>> writers = {
        {"s.wav", [&](const fs::path& path) { return writeWavFile(path, signal); }},
        {"s.bin", [&](const fs::path& path) { return writeBinFile(path, signal); }},
        {"s.txt", [&](const fs::path& path) { return exportAscii(path, signal); }},
        {"s.ini", bigProfile},
    };
    for (const auto& [name, write] : writers)
        writeBytes(root / name, "old " + name);
    disk.fillUpTo(8192);
    for (const auto& [name, write] : writers) {
        EXPECT_FALSE(write(root / name)) << name;
        EXPECT_EQ(readBytes(root / name), "old " + name);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root), {}), 5) << "the old files and the filler, no temporary";
}
