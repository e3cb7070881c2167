#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

#include "FuzzTargets.h"

namespace fs = std::filesystem;

// Test names and messages show a target by its name.
void PrintTo(const FuzzTarget& target, std::ostream* out)
{
    *out << target.name;
}

// Every input kept under tests/fuzz/corpus/<target>/ (each once made a target fail) goes through its
// harness again in the ordinary build: a crash, a sanitizer report or a broken property ends the run.
class CorpusReplay : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, EveryKeptInputRunsThrough)
{
    const fs::path folder = fs::path(MARLUNE_SOURCE_DIR) / "tests" / "fuzz" / "corpus" / GetParam().name;
    if (!fs::is_directory(folder))
        GTEST_SKIP() << "no kept inputs";
    for (const auto& entry : fs::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(GetParam().run(bytes.data(), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(FuzzTargets),
                         [](const auto& info) { return std::string(info.param.name); });
