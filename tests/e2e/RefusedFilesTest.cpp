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

Outcome exportFile(const fs::path& out, const fs::path& file)
{
    TempFolder folder;
    const auto errors = folder.path / "errors.txt";
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY '" + Program + "' --export '" +
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
