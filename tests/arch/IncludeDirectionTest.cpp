#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

namespace fs = std::filesystem;

// The core folders from the bottom up. A folder includes only folders of a lower rank; folders of the
// same rank never include each other:
//   base <- dsp <- signal <- fileio, settings <- views <- tree <- instruments, soundcard <- kinds
// The Qt layer (every ui/ folder and app/) sits above all of them; the converter stands apart.
const std::map<std::string, int> CoreRank = {
    {"base", 0}, {"dsp", 1}, {"signal", 2}, {"fileio", 3}, {"settings", 3},
    {"views", 4}, {"tree", 5}, {"instruments", 6}, {"soundcard", 6}, {"kinds", 7},
};

TEST(Architecture, CoreIncludesRunDownTheLayers)
{
    const fs::path src = fs::path(MARLUNE_SOURCE_DIR) / "src";
    const std::regex projectInclude(R"(^\s*#\s*include\s*"([A-Za-z0-9_]+)/([^"]*)\")");
    std::vector<std::string> offenders;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = fs::relative(entry.path(), src).generic_string();
        const std::string folder = rel.substr(0, rel.find('/'));
        if (folder == "app" || folder == "converter" || rel.find("/ui/") != std::string::npos)
            continue;
        const auto rank = CoreRank.find(folder);
        if (rank == CoreRank.end()) {
            offenders.push_back(rel + ": a core folder without a place in the layers");
            continue;
        }
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (!std::regex_search(line, match, projectInclude))
                continue;
            const std::string target = match[1];
            const std::string path = match[2];
            if (target == folder && path.find("ui/") != 0)
                continue;
            const auto targetRank = CoreRank.find(target);
            if (targetRank == CoreRank.end() || path.find("ui/") == 0 || targetRank->second >= rank->second)
                offenders.push_back(rel + ": " + line);
        }
    }
    EXPECT_TRUE(offenders.empty()) << ::testing::PrintToString(offenders);
}
