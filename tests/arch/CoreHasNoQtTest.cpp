#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

// The core must build without Qt: only app/, converter/ and the ui/ folders may include it.
TEST(Architecture, CoreIncludesNoQtHeader)
{
    const fs::path src = fs::path(MARLUNE_SOURCE_DIR) / "src";
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"]Q[A-Za-z])");
    std::vector<std::string> offenders;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = fs::relative(entry.path(), src).generic_string();
        if (rel.starts_with("app/") || rel.starts_with("converter/") || rel.find("/ui/") != std::string::npos)
            continue;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, qtInclude))
                offenders.push_back(rel + ": " + line);
    }
    EXPECT_TRUE(offenders.empty()) << ::testing::PrintToString(offenders);
}
