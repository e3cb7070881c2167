#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

// A newcomer learns each file's job from its first line: every header says in one comment line,
// right after #pragma once, what its class or file is for.
TEST(Architecture, EveryHeaderStartsWithWhatItIsFor)
{
    const fs::path src = fs::path(MARLUNE_SOURCE_DIR) / "src";
    // A sentence of at least three words.
    const std::regex purpose(R"(^// \S+ \S+ \S.*$)");
    std::vector<std::string> offenders;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".h")
            continue;
        std::ifstream in(entry.path());
        std::string first, second, third;
        std::getline(in, first);
        std::getline(in, second);
        std::getline(in, third);
        if (first != "#pragma once" || !std::regex_match(second, purpose) || third.starts_with("//"))
            offenders.push_back(fs::relative(entry.path(), src).generic_string() + ": " + second);
    }
    EXPECT_TRUE(offenders.empty()) << "each needs \"#pragma once\", then a one-line comment of what it is for:\n"
                                   << ::testing::PrintToString(offenders);
}
