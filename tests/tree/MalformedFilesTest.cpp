#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fileio/SampleRateForm.h"
#include "support/AddressSpaceLimit.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

// Every file of tests/malformed/ (written by tools/make-malformed.py) opened as a person would open it:
// each gives exactly the outcome its folder's expected.txt names, with no window left behind by a
// refused file, and no more memory than a small multiple of the file's own size.
namespace {

namespace fs = std::filesystem;

// A float per byte of an 8-bit sample, its min/max summary, a window's own records: far below this.
constexpr rlim_t BytesPerFileByte = 64;
constexpr rlim_t FixedBytes = rlim_t(48) << 20;

struct Case {
    std::string name;
    std::string expected;
};

std::vector<Case> casesOf(const std::string& folder)
{
    std::ifstream in(fs::path(MARLUNE_SOURCE_DIR) / "tests" / "malformed" / folder / "expected.txt");
    std::vector<Case> cases;
    for (std::string line; std::getline(in, line);)
        if (const auto tab = line.find('\t'); tab != std::string::npos)
            cases.push_back({line.substr(0, tab), line.substr(tab + 1)});
    return cases;
}

// The expected text with its line breaks and the file's path in place.
std::string unescaped(std::string text, const std::string& file)
{
    for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1))
        text.replace(at, 2, "\n");
    if (const std::size_t at = text.find("{file}"); at != std::string::npos)
        text.replace(at, 6, file);
    return text;
}

// What one open gave, in the words of expected.txt.
std::string outcome(const ScriptedUi& ui, std::size_t windows)
{
    std::ostringstream text;
    if (windows > 0)
        text << "opens " << windows;
    for (const auto& message : ui.messages)
        text << (text.tellp() > 0 ? "; " : "") << "message " << message.text;
    if (ui.beeps > 0)
        text << (text.tellp() > 0 ? "; " : "") << "beep";
    return text.str();
}

class MalformedFilesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MalformedFilesTest, EachFileGivesItsOutcomeWithinItsMemory)
{
    const std::vector<Case> cases = casesOf(GetParam());
    ASSERT_GE(cases.size(), 8u) << "tools/make-malformed.py writes the corpus";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = fs::path(MARLUNE_SOURCE_DIR) / "tests" / "malformed" / GetParam() / c.name;
        ASSERT_TRUE(fs::is_regular_file(file));
        ScriptedUi ui;
        marluneMDIClient client(ui, "/nonexistent/");
        // A data log asks for its rate once it holds a record.
        ui.formAnswers.push_back([](DialogForm& form) {
            static_cast<SampleRateForm&>(form).text = "100";
            return true;
        });
        {
            const AddressSpaceLimit limit(FixedBytes + BytesPerFileByte * fs::file_size(file));
            if (GetParam() == "picture") {
                ui.openAnswers.push_back({file.string()});
                client.dispatch(Cmd::OpenPicture);
            } else {
                client.openFiles({file.string()});
            }
        }
        EXPECT_EQ(outcome(ui, client.windows().size()), unescaped(c.expected, file.string()));
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, MalformedFilesTest, ::testing::Values("wav", "bin", "eeg", "sa3", "picture"));

}  // namespace
