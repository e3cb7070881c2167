#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

namespace fs = std::filesystem;

namespace {

// The core folders from the bottom up. A folder includes only folders of a lower rank; folders of the
// same rank never include each other:
//   base <- dsp <- signal <- fileio, settings <- views <- tree <- instruments, soundcard <- kinds
// The Qt layer sits above the whole core: each ui/ folder may include any core folder, and the ui/
// folders keep the ranks of their subsystems among themselves (views/ui may include tree and base/ui,
// never tree/ui); app/ sits on top of everything. The converter stands apart and shares only base/.
// CMakeLists.txt links each folder's library to the same folders, so the linker holds this direction too.
const std::map<std::string, int> CoreRank = {
    {"base", 0}, {"dsp", 1}, {"signal", 2}, {"fileio", 3}, {"settings", 3},
    {"views", 4}, {"tree", 5}, {"instruments", 6}, {"soundcard", 6}, {"kinds", 7},
};
constexpr int UiRank = 100;
constexpr int AppRank = 200;

// "views" or "views/ui" for src/views/... and the include "views/ui/..."; -1 for a folder out of the layers.
int rankOf(const std::string& layer)
{
    if (layer == "app")
        return AppRank;
    const bool ui = layer.ends_with("/ui");
    const auto core = CoreRank.find(ui ? layer.substr(0, layer.size() - 3) : layer);
    if (core == CoreRank.end())
        return -1;
    return core->second + (ui ? UiRank : 0);
}

std::string layerOf(const std::string& path)
{
    const std::string folder = path.substr(0, path.find('/'));
    return path.compare(folder.size(), 4, "/ui/") == 0 ? folder + "/ui" : folder;
}

bool mayInclude(const std::string& from, const std::string& to)
{
    if (from == to)
        return true;
    if (from == "converter")
        return to == "base";
    const int fromRank = rankOf(from);
    const int toRank = rankOf(to);
    return fromRank >= 0 && toRank >= 0 && toRank < fromRank;
}

// The includes of every file under src/ for which `checked` holds that go against the direction.
template <typename Filter>
std::vector<std::string> includesAgainstTheLayers(Filter checked)
{
    const fs::path src = fs::path(MARLUNE_SOURCE_DIR) / "src";
    const std::regex projectInclude(R"(^\s*#\s*include\s*"([^"]*)\")");
    std::vector<std::string> offenders;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = fs::relative(entry.path(), src).generic_string();
        const std::string from = layerOf(rel);
        if (!checked(from))
            continue;
        if (from != "converter" && rankOf(from) < 0) {
            offenders.push_back(rel + ": a folder without a place in the layers");
            continue;
        }
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (!std::regex_search(line, match, projectInclude))
                continue;
            // A name without a folder is a neighbour in the same folder; a climb out of it never is.
            const std::string path = match[1];
            if (path.find("..") != std::string::npos ||
                (path.find('/') != std::string::npos && !mayInclude(from, layerOf(path))))
                offenders.push_back(rel + ": " + line);
        }
    }
    return offenders;
}

bool outsideTheCore(const std::string& layer)
{
    return layer == "app" || layer == "converter" || layer.ends_with("/ui");
}

}  // namespace

TEST(Architecture, CoreIncludesRunDownTheLayers)
{
    const auto offenders = includesAgainstTheLayers([](const std::string& layer) { return !outsideTheCore(layer); });
    EXPECT_TRUE(offenders.empty()) << ::testing::PrintToString(offenders);
}

TEST(Architecture, UiAppAndConverterIncludesRunDownTheLayers)
{
    const auto offenders = includesAgainstTheLayers(outsideTheCore);
    EXPECT_TRUE(offenders.empty()) << ::testing::PrintToString(offenders);
}

