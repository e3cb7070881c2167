#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"

// A batch run never refuses a file silently: every damaged .bin and .eeg file of tests/malformed/ ends
// the run with status 1 and its path and reason on standard error, as a refused WAV file's message is.
namespace {
namespace fs = std::filesystem;

const std::string Program = std::string(MARLUNE_BIN_DIR) + "/marlune32";

struct Outcome {
    int status = -1;
    std::string errors;
};

Outcome exportFile(const fs::path& out, const fs::path& file, const std::string& limit = {})
{
    TempFolder folder;
    const auto errors = folder.path / "errors.txt";
    const std::string command = limit + "env -u DISPLAY -u WAYLAND_DISPLAY '" + Program + "' --export '" +
                                out.string() + "' '" + file.string() + "' 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(errors)};
}

struct Refusal {
    fs::path file;
    std::string reason;
};

// The files whose expected outcome is a refusal naming the file, with the reason.
std::vector<Refusal> refusals(const std::string& format)
{
    const fs::path folder = fs::path(MARLUNE_SOURCE_DIR) / "tests" / "malformed" / format;
    const std::string prefix = "message Error reading {file}!\\n";
    std::ifstream in(folder / "expected.txt");
    std::vector<Refusal> all;
    for (std::string line; std::getline(in, line);) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos && line.compare(tab + 1, prefix.size(), prefix) == 0)
            all.push_back({folder / line.substr(0, tab), line.substr(tab + 1 + prefix.size())});
    }
    return all;
}
}  // namespace

TEST(RefusedFiles, EveryRefusedBinAndEegFileNamesItselfAndItsReasonAndFailsTheRun)
{
    TempFolder folder;
    for (const char* format : {"bin", "eeg"}) {
        const std::vector<Refusal> files = refusals(format);
        ASSERT_GE(files.size(), 10u) << format << ": tools/make-malformed.py writes the corpus";
        for (const Refusal& refused : files) {
            SCOPED_TRACE(refused.file.filename().string());
            const Outcome outcome = exportFile(folder.path / "out", refused.file);
            EXPECT_EQ(outcome.status, 1);
            EXPECT_NE(outcome.errors.find("Error reading " + refused.file.string() + "!\n" + refused.reason + "\n"),
                      std::string::npos)
                << outcome.errors;
        }
    }
}

// A file that the memory left to the run cannot hold ends the run with the message, not an abort.
TEST(RefusedFiles, AFileTooLargeForTheRunsMemoryEndsInTheMessage)
{
    TempFolder folder;
    // A float .bin header at 8000 Hz, then 4 or 128 M samples: 16 MB fit the limit below, 512 MB do not.
    const auto binFile = [&](const std::string& name, uint64_t samples) {
        const fs::path path = folder.path / name;
        const unsigned char head[14] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0xFA, 0x0B, 0x40};
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(head), sizeof head);
        fs::resize_file(path, sizeof head + 4 * samples);
        return path;
    };
    const std::string limit = "ulimit -v 400000; ";
    const Outcome fits = exportFile(folder.path / "fits", binFile("small.bin", uint64_t(4) << 20), limit);
    ASSERT_EQ(fits.status, 0) << "the program runs under the limit: " << fits.errors;
    const Outcome outcome = exportFile(folder.path / "out", binFile("big.bin", uint64_t(128) << 20), limit);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.errors.find("No more memory !!!\n"), std::string::npos) << outcome.errors;
}

// A file that is not there is named too.
TEST(RefusedFiles, AMissingFileIsNamed)
{
    TempFolder folder;
    const fs::path missing = folder.path / "missing.bin";
    const Outcome outcome = exportFile(folder.path / "out", missing);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.errors.find("Cannot open the file " + missing.string() + ".\n"), std::string::npos)
        << outcome.errors;
}
