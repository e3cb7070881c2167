#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Names in `folder` that no reader may take for a file: a link to /dev/zero (it never ends), a FIFO (an
// ordinary open waits for a writer) and a folder, then a sparse regular file of `oversize` bytes.
inline std::vector<std::filesystem::path> hostileFiles(const std::filesystem::path& folder, const std::string& stem,
                                                       uint64_t oversize)
{
    const std::filesystem::path zero = folder / (stem + "-zero");
    const std::filesystem::path fifo = folder / (stem + "-fifo");
    const std::filesystem::path directory = folder / (stem + "-folder");
    const std::filesystem::path large = folder / (stem + "-large");
    std::filesystem::create_symlink("/dev/zero", zero);
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(directory);
    std::ofstream(large) << "[Main]\nKey=1\n";
    std::filesystem::resize_file(large, oversize);
    return {zero, fifo, directory, large};
}

// While an object lives a read that blocks (on a FIFO) ends the test program instead of holding the suite.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds = 30) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};
