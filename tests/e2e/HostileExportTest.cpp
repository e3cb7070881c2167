#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/PrivateProfile.h"
#include "support/TempFolder.h"

namespace {
const std::string Program = std::string(MARLUNE_BIN_DIR) + "/marlune32";

struct Outcome {
    int status = -1;
    std::string errors;
};

// Runs the batch export without a display under a shell prefix (a ulimit, say); standard error kept.
Outcome exportRun(const std::string& prefix, const std::filesystem::path& out, const std::string& sources)
{
    TempFolder folder;
    const auto errors = folder.path / "errors.txt";
    const std::string command = prefix + " env -u DISPLAY -u WAYLAND_DISPLAY '" + Program + "' --export '" +
                                out.string() + "' " + sources + " 2>'" + errors.string() + "'";
    const int status = std::system(("bash -c \"" + command + "\"").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(errors)};
}

bool hasTemporary(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().front() == '.')
            return true;
    return false;
}
}  // namespace

// Time FFTs that cannot be computed, with panes drawn by the program itself: the run goes through,
// each is exported as invalid, and no temporary is left.
TEST(HostileExport, InvalidTimeFFTsOfAWorkspaceAreExportedWithTheirPictures)
{
    TempFolder folder;
    ASSERT_EQ(std::system(("sox -n -D -r 8000 -c 1 -b 16 '" + (folder.path / "short.wav").string() +
                           "' synth 100s sine 300").c_str()),
              0);
    std::string text = "[Root]\nRoot_1=Window_0\n[Window_0]\nType=22\nFileName=short.wav\n";
    const char* hostile[] = {"256,20", "16384,4", "2147483647,4", "3,4", "0,0", "65536,4"};
    for (int i = 0; i < 6; ++i)
        text += "Child_" + std::to_string(i + 1) + "=Window_" + std::to_string(i + 1) + "\n";
    for (int i = 0; i < 6; ++i) {
        const std::string choice = hostile[i];
        text += "[Window_" + std::to_string(i + 1) + "]\nType=151\nFFTPrecision=" + choice.substr(0, choice.find(',')) +
                "\nSegmentsCount=" + choice.substr(choice.find(',') + 1) + "\nFFTFromFreq=" + (i == 4 ? "nan" : "31.25") +
                "\nFFTToFreq=" + (i == 3 ? "-inf" : "4000") + "\nViewY=-1\n";
    }
    writeBytes(folder.path / "hostile.mws", text);
    const auto out = folder.path / "out";
    const Outcome result = exportRun("", out, "'" + (folder.path / "hostile.mws").string() + "'");
    ASSERT_EQ(result.status, 0) << result.errors;
    const PrivateProfile manifest(out / "manifest.ini");
    ASSERT_EQ(manifest.sectionNames().size(), 7u);
    for (int i = 2; i <= 7; ++i) {
        const std::string section = "Window_" + std::to_string(i);
        EXPECT_EQ(manifest.getString(section, "Invalid", ""), "1") << section;
        EXPECT_EQ(readBytes(out / ("window-" + std::to_string(i) + ".txt")), "") << section;
        EXPECT_GT(std::filesystem::file_size(out / ("window-" + std::to_string(i) + ".png")), 0u) << section;
    }
    EXPECT_FALSE(hasTemporary(out));
}

// A folder that cannot be made, and a disk that fills up: said on standard error, exit 1, and the
// manifest, written last, names no file that is not there.
TEST(HostileExport, AnExportThatCannotWriteSaysSoAndExitsWithOne)
{
    TempFolder folder;
    const auto wav = folder.path / "tone.wav";
    ASSERT_EQ(std::system(("sox -n -D -r 8000 -c 2 -b 16 '" + wav.string() + "' synth 0.5 sine 300").c_str()), 0);
    writeBytes(folder.path / "file", "not a folder");
    const Outcome blocked = exportRun("", folder.path / "file" / "out", "'" + wav.string() + "'");
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.errors.find("Could not write " + (folder.path / "file" / "out" / "window-1.bin").string()),
              std::string::npos)
        << blocked.errors;
    EXPECT_NE(blocked.errors.find("manifest.ini"), std::string::npos) << blocked.errors;

    // 40 KiB: the samples fit, their ASCII export does not.
    const auto out = folder.path / "full";
    const Outcome full = exportRun("ulimit -f 40;", out, "'" + wav.string() + "'");
    EXPECT_EQ(full.status, 1) << full.errors;
    EXPECT_NE(full.errors.find("Could not write"), std::string::npos) << full.errors;
    EXPECT_FALSE(hasTemporary(out));
    const PrivateProfile manifest(out / "manifest.ini");
    for (const std::string& section : manifest.sectionNames()) {
        const std::string base = "window-" + section.substr(std::string("Window_").size());
        for (const char* extension : {".bin", ".txt", ".png"})
            EXPECT_TRUE(std::filesystem::exists(out / (base + extension))) << base << extension;
    }
}

// A window the run cannot have memory for is said and fails the run; the others are exported.
TEST(HostileExport, AWindowLeftOutForWantOfMemoryFailsTheRun)
{
    TempFolder folder;
    ASSERT_EQ(std::system(("sox -n -D -r 8000 -c 1 -b 16 '" + (folder.path / "tone.wav").string() +
                           "' synth 4000s sine 300").c_str()),
              0);
    // A log of 2^31 - 1 rows of 4000 values: terabytes, refused before anything is allocated.
    writeBytes(folder.path / "huge.mws", "[Root]\nRoot_1=Window_0\n[Window_0]\nType=22\nFileName=tone.wav\n"
                                         "Child_1=Window_1\nChild_2=Window_2\n[Window_1]\nType=153\n"
                                         "SegmentsCount=2147483647\n[Window_2]\nType=13\n");
    const auto out = folder.path / "out";
    const Outcome result = exportRun("", out, "'" + (folder.path / "huge.mws").string() + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("No more memory !!!"), std::string::npos) << result.errors;
    EXPECT_EQ(PrivateProfile(out / "manifest.ini").sectionNames().size(), 2u) << "the WAV and its detrended signal";
}
