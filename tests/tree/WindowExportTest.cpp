#include "tree/TreeFixture.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "fileio/BinFile.h"
#include "settings/PrivateProfile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "tree/WindowExport.h"

TEST_F(TreeTest, ExportWritesEveryWindowAndAManifest)
{
    TempFolder folder;
    const auto wav = (folder.path / "tone.wav").string();
    ASSERT_EQ(std::system(("sox -n -D -r 1000 -c 2 -b 16 '" + wav + "' synth 0.05 sine 100 sine 200").c_str()), 0);
    std::vector<std::string> pictures;
    const auto out = folder.path / "out";
    const int status = exportWindows(client, out, ExportSources{.files = {wav}}, [&](marluneChild& w, const std::filesystem::path& file) {
        pictures.push_back(w.title() + " " + file.filename().string());
        return true;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(pictures, (std::vector<std::string>{"1#tone.wav-1 window-1.png", "2#tone.wav-2 window-2.png"}));

    PrivateProfile manifest(out / "manifest.ini");
    EXPECT_EQ(manifest.sectionNames(), (std::vector<std::string>{"Window_1", "Window_2"}));
    EXPECT_EQ(manifest.getString("Window_2", "Title", ""), "2#tone.wav-2");
    EXPECT_EQ(manifest.getString("Window_2", "Type", ""), "22");
    EXPECT_EQ(manifest.getString("Window_2", "SampleRate", ""), "1000");
    EXPECT_EQ(manifest.getString("Window_2", "XOffset", ""), "0");
    EXPECT_EQ(manifest.getString("Window_2", "Count", ""), "50");
    EXPECT_EQ(manifest.getString("Window_2", "FileName", ""), wav);

    const auto reread = readBinFile(out / "window-2.bin");
    ASSERT_TRUE(reread.ok());
    const Signal& original = *static_cast<marluneMDIChild*>(client.window(1))->signal();
    ASSERT_EQ(reread.signals[0]->count(), 50u);
    EXPECT_TRUE(std::equal(original.samples(), original.samples() + 50, reread.signals[0]->samples()));
    EXPECT_TRUE(std::filesystem::exists(out / "window-1.txt"));

    EXPECT_EQ(exportWindows(client, out, {(folder.path / "missing.wav").string()},
                            [](marluneChild&, const std::filesystem::path&) { return true; }),
              1);
}

namespace {
// A picture writer that writes a small file for every window but those whose titles contain `failing`.
PictureWriter picturesBut(const std::string& failing)
{
    return [failing](marluneChild& window, const std::filesystem::path& file) {
        if (!failing.empty() && window.title().find(failing) != std::string::npos)
            return false;
        writeBytes(file, "png");
        return true;
    };
}

std::vector<std::string> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

// A window whose files cannot all be written is reported by name and left out of the manifest with
// its other files, so the manifest describes only what is there.
TEST_F(TreeTest, AWindowThatCannotBeWrittenIsReportedAndLeftOutOfTheManifest)
{
    TempFolder folder;
    const auto wav = (folder.path / "tone.wav").string();
    ASSERT_EQ(std::system(("sox -n -D -r 1000 -c 2 -b 16 '" + wav + "' synth 0.05 sine 100 sine 200").c_str()), 0);
    const auto out = folder.path / "out";
    EXPECT_EQ(exportWindows(client, out, ExportSources{.files = {wav}}, picturesBut("tone.wav-2")), 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Could not write " + (out / "window-2.png").string() + ".");
    EXPECT_EQ(PrivateProfile(out / "manifest.ini").sectionNames(), std::vector<std::string>{"Window_1"});
    EXPECT_EQ(filesIn(out), (std::vector<std::string>{"manifest.ini", "window-1.bin", "window-1.png", "window-1.txt"}));
}

// On a full disk nothing half-written stays behind and the manifest, written last, is refused whole.
TEST_F(TreeTest, AFullDiskFailsTheExportAndLeavesNoManifestOfMissingFiles)
{
    TempFolder folder;
    const auto wav = (folder.path / "tone.wav").string();
    ASSERT_EQ(std::system(("sox -n -D -r 1000 -c 1 -b 16 '" + wav + "' synth 0.5 sine 100").c_str()), 0);
    const auto out = folder.path / "out";
    std::filesystem::create_directories(out);
    {
        const FileSizeLimit full(100);
        EXPECT_EQ(exportWindows(client, out, ExportSources{.files = {wav}}, picturesBut("")), 1);
    }
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].text, "Could not write " + (out / "window-1.bin").string() + ".");
    for (const std::string& name : filesIn(out))
        EXPECT_TRUE(name == "manifest.ini") << name << " is left behind";
    if (std::filesystem::exists(out / "manifest.ini")) {
        EXPECT_TRUE(PrivateProfile(out / "manifest.ini").sectionNames().empty());
    }
}

// Time FFTs whose result is invalid, from a workspace or a tool, are exported as invalid with no
// rows; every other window of the run is exported too.
TEST_F(TreeTest, InvalidTimeFFTsAreExportedAsInvalidWithNoRows)
{
    TempFolder folder;
    const auto shortWav = (folder.path / "short.wav").string();
    const auto longWav = (folder.path / "long.wav").string();
    ASSERT_EQ(std::system(("sox -n -D -r 8000 -c 1 -b 16 '" + shortWav + "' synth 100s sine 300").c_str()), 0);
    ASSERT_EQ(std::system(("sox -n -D -r 8000 -c 1 -b 16 '" + longWav + "' synth 8000s sine 300").c_str()), 0);
    // FFTPrecision, SegmentsCount, FFTFromFreq, FFTToFreq of each Time FFT over the long file.
    const std::vector<std::string> hostile = {
        "16384,4,0,4000", "2147483647,4,0,4000", "3,4,0,4000", "0,0,0,4000", "256,4,nan,4000",
        "256,4,31.25,-inf", "256,2147483647,31.25,4000", "-1,-1,31.25,4000", "256,10,31.25,4000"};
    std::string text = "[Root]\nRoot_1=Window_0\nRoot_2=Window_1\n"
                       "[Window_0]\nType=22\nFileName=short.wav\nChild_1=Window_10\n"
                       "[Window_10]\nType=151\nFFTPrecision=256\nSegmentsCount=20\nFFTFromFreq=31.25\nFFTToFreq=4000\n"
                       "[Window_1]\nType=22\nFileName=long.wav\n";
    for (std::size_t i = 0; i < hostile.size(); ++i)
        text += "Child_" + std::to_string(i + 1) + "=Window_" + std::to_string(20 + i) + "\n";
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        std::vector<std::string> v;
        std::stringstream fields(hostile[i]);
        for (std::string field; std::getline(fields, field, ',');)
            v.push_back(field);
        text += "[Window_" + std::to_string(20 + i) + "]\nType=151\nFFTPrecision=" + v[0] + "\nSegmentsCount=" + v[1] +
                "\nFFTFromFreq=" + v[2] + "\nFFTToFreq=" + v[3] + "\n";
    }
    writeBytes(folder.path / "hostile.mws", text);
    const auto out = folder.path / "out";
    EXPECT_EQ(exportWindows(client, out, ExportSources{.workspace = (folder.path / "hostile.mws").string()},
                            picturesBut("")),
              0);
    const PrivateProfile manifest(out / "manifest.ini");
    int invalid = 0;
    for (const std::string& section : manifest.sectionNames()) {
        if (manifest.getString(section, "Type", "") != "151")
            continue;
        const std::string base = "window-" + section.substr(std::string("Window_").size());
        const std::string matrix = readBytes(out / (base + ".txt"));
        if (manifest.getString(section, "Invalid", "") == "1") {
            ++invalid;
            EXPECT_EQ(matrix, "") << section;
        } else {
            EXPECT_EQ(std::count(matrix.begin(), matrix.end(), '\n'), 11) << "a head line and ten rows";
        }
    }
    EXPECT_EQ(invalid, 9) << "the one valid Time FFT is the last";
    for (const auto& message : ui.messages)
        ADD_FAILURE() << message.text;
    EXPECT_EQ(manifest.sectionNames().size(), 12u);
    for (const std::string& name : filesIn(out))
        EXPECT_NE(name.front(), '.') << "a temporary is left: " << name;

    // A tool of a 65536-point Time FFT over the short file.
    client.closeAll();
    writeBytes(folder.path / "big.mwt", "[Root]\nAppliedTo=22\nSection=Window_1\n"
                                        "[Window_1]\nType=151\nFFTPrecision=65536\nSegmentsCount=4\nFFTFromFreq=0\n"
                                        "FFTToFreq=4000\n");
    const auto toolOut = folder.path / "tool";
    EXPECT_EQ(exportWindows(client, toolOut, ExportSources{.tool = (folder.path / "big.mwt").string(), .files = {shortWav}},
                            picturesBut("")),
              0);
    const PrivateProfile toolManifest(toolOut / "manifest.ini");
    int toolInvalid = 0;
    for (const std::string& section : toolManifest.sectionNames())
        toolInvalid += toolManifest.getString(section, "Type", "") == "151" &&
                       toolManifest.getString(section, "Invalid", "") == "1";
    EXPECT_EQ(toolInvalid, 1);
}
