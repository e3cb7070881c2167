#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/PrivateProfile.h"
#include "support/NumpyReference.h"
#include "support/TempFolder.h"

namespace {
const std::string Program = std::string(MARLUNE_BIN_DIR) + "/marlune32";
const std::filesystem::path Examples = std::filesystem::path(MARLUNE_BIN_DIR) / "EXAMPLES";

struct Outcome {
    int status = -1;
    std::string errors;
};

// Runs a shell command without a display; its standard error is collected.
Outcome run(const std::string& command)
{
    TempFolder folder;
    const auto errors = folder.path / "errors.txt";
    const int status =
        std::system(("env -u DISPLAY -u WAYLAND_DISPLAY " + command + " 2>'" + errors.string() + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(errors)};
}

Outcome exportWorkspace(const std::filesystem::path& out, const std::filesystem::path& workspace,
                    const std::string& files = {})
{
    return run("'" + Program + "' --export '" + out.string() + "' '" + workspace.string() + "' " + files);
}

// Python lines that read a window's float .bin file of the export (a 14-byte header, then the samples).
std::string binReader(const std::filesystem::path& out)
{
    return "def window(n):\n    return np.fromfile('" + out.string() +
           "/window-%d.bin' % n, dtype='<f4', offset=14).astype(float)\n"
           "from scipy.io import wavfile\n"
           "rate, wav = wavfile.read('" + (Examples / "example.wav").string() + "')\n"
           "left = wav[:, 0].astype(float)\nright = wav[:, 1].astype(float)\n";
}
}  // namespace

TEST(BatchRun, TheCalculatorExampleComputesWhatNumpyComputesFromTheWav)
{
    TempFolder folder;
    const auto out = folder.path / "out";
    const Outcome result = exportWorkspace(out, Examples / "calculator.mws");
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_NE(result.errors.find("Information about this example"), std::string::npos) << "the message went to stderr";
    PrivateProfile manifest(out / "manifest.ini");
    ASSERT_EQ(manifest.sectionNames().size(), 6u);
    EXPECT_EQ(manifest.getString("Window_3", "Title", ""), "3#CALC( 1- 2)");
    EXPECT_EQ(manifest.getString("Window_5", "Title", ""), "5#CALC( 2* 4)");
    // The largest difference from numpy's left - right and right x sin(2 pi 440 t).
    const std::vector<double> errors = numpyValues(binReader(out) + R"(
t = np.arange(len(right)) / 22050.0
out([np.max(np.abs(window(3) - (left - right))),
     np.max(np.abs(window(5) - right * np.sin(2 * np.pi * 440 * t))) / np.max(np.abs(right))])
)");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], 0) << "16-bit differences are exact in float";
    EXPECT_LT(errors[1], 1e-5);
}

TEST(BatchRun, TheSpectralExampleFindsTheChordAndTheLiveExampleReadsSilence)
{
    TempFolder folder;
    const auto out = folder.path / "spectral";
    const Outcome spectral = exportWorkspace(out, Examples / "spectral-analysis.mws");
    ASSERT_EQ(spectral.status, 0) << spectral.errors;
    PrivateProfile manifest(out / "manifest.ini");
    EXPECT_EQ(manifest.getString("Window_3", "Title", ""), "3#FFT( 2#example.wav-2)");
    EXPECT_EQ(manifest.getString("Window_7", "Type", ""), "151");
    EXPECT_TRUE(std::filesystem::exists(out / "window-7.txt")) << "the Time FFT's matrix as text";
    // The three loudest peaks of the right channel's spectrum, from its X axis in the manifest.
    const std::string rate = manifest.getString("Window_3", "SampleRate", "");
    const std::string offset = manifest.getString("Window_3", "XOffset", "");
    const std::vector<double> peaks = numpyValues(binReader(out) + "s = window(3)\nf = " + offset +
                                                  " + np.arange(len(s)) / " + rate + R"(
order = np.argsort(s)[::-1]
found = []
for i in order:
    if all(abs(f[i] - g) > 20 for g in found):
        found.append(f[i])
    if len(found) == 3:
        break
out(sorted(found))
)");
    ASSERT_EQ(peaks.size(), 3u);
    EXPECT_NEAR(peaks[0], 440, 1);
    EXPECT_NEAR(peaks[1], 660, 1);
    EXPECT_NEAR(peaks[2], 880, 1);

    const auto live = folder.path / "live";
    const Outcome acquisition = exportWorkspace(live, Examples / "live-acquisition.mws");
    ASSERT_EQ(acquisition.status, 0) << acquisition.errors;
    PrivateProfile instruments(live / "manifest.ini");
    EXPECT_EQ(instruments.getString("Window_1", "Type", ""), "8");
    EXPECT_EQ(instruments.getString("Window_4", "Title", ""), "4#RMS: 1# Sound card monitor - 1");
    EXPECT_EQ(instruments.getString("Window_4", "Value", ""), "0") << "nothing was recorded";
    EXPECT_EQ(instruments.getString("Window_5", "Count", ""), "500");
}

TEST(BatchRun, AWorkspaceNamesItsFilesByNumberAndAMissingFileFailsTheRun)
{
    TempFolder folder;
    const auto wav = folder.path / "chord.wav";
    ASSERT_EQ(run("sox -n -D -r 8000 -c 2 -b 16 '" + wav.string() + "' synth 0.5 sine 300 sine 700").status, 0);
    const auto workspace = folder.path / "numbered.mws";
    std::filesystem::copy_file(Examples / "spectral-analysis.mws", workspace);
    {
        PrivateProfile profile(workspace);
        profile.setString("Window_0", "FileName", "#2");
        ASSERT_TRUE(profile.save());
    }
    const auto out = folder.path / "out";
    const Outcome numbered = exportWorkspace(out, workspace, "'" + wav.string() + "'");
    ASSERT_EQ(numbered.status, 0) << numbered.errors;
    EXPECT_EQ(PrivateProfile(out / "manifest.ini").getString("Window_1", "Count", ""), "4000");

    const Outcome missing = exportWorkspace(folder.path / "none", workspace);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("#2 does not exists."), std::string::npos) << missing.errors;
}

// The line of the README: one process per file, spread by GNU parallel.
TEST(BatchRun, GnuParallelAppliesAToolToEveryFileIntoAFolderEach)
{
    TempFolder folder;
    for (const int frequency : {300, 500, 700})
        ASSERT_EQ(run("sox -n -D -r 8000 -c 1 -b 16 '" + (folder.path / ("tone-" + std::to_string(frequency) + ".wav")).string() +
                      "' synth 0.5 sine " + std::to_string(frequency))
                      .status,
                  0);
    const auto tool = folder.path / "spectrum.mwt";
    writeBytes(tool, "[Root]\nAppliedTo=22\nSection=Window_1\n\n[Window_1]\nType=2\nLinked=1\nVisible=1\n"
                     "OriginalUnits=1\nStep=30\nXLabel=Hz\nDrawAxes=1\nFFT_DoTaper=1\nFFT_TaperVal=20\nFFT_Show=2\n"
                     "FFT_TestPeaksLevel=5\n");
    const auto out = folder.path / "out";
    const Outcome batch = run("parallel --will-cite '" + Program + "' --export '" + out.string() + "/{/.}' --tool '" +
                              tool.string() + "' {} ::: '" + folder.path.string() + "'/*.wav");
    ASSERT_EQ(batch.status, 0) << batch.errors;
    for (const char* name : {"tone-300", "tone-500", "tone-700"}) {
        PrivateProfile manifest(out / name / "manifest.ini");
        EXPECT_EQ(manifest.sectionNames().size(), 2u) << name;
        EXPECT_EQ(manifest.getString("Window_2", "Type", ""), "2") << name;
    }
}

// Both end with windows open, and nobody is there to answer whether to save them.
TEST(BatchRun, NeitherAnExportNorAScreenshotRunAsksToSaveTheWorkspace)
{
    TempFolder folder;
    const Outcome exported = exportWorkspace(folder.path / "out", Examples / "spectral-analysis.mws");
    ASSERT_EQ(exported.status, 0) << exported.errors;
    EXPECT_EQ(exported.errors.find("Save the workspace"), std::string::npos) << exported.errors;
    EXPECT_NE(exported.errors.find("everything below it follows."), std::string::npos) << "the message goes out whole";

    const auto shot = folder.path / "frame.png";
    const Outcome screenshot = run("env QT_QPA_PLATFORM=offscreen timeout 30 '" + Program + "' --screenshot '" +
                                   shot.string() + "' '" + (Examples / "example.wav").string() + "'");
    EXPECT_EQ(screenshot.status, 0) << "124 is a run that waited for an answer: " << screenshot.errors;
    EXPECT_TRUE(std::filesystem::exists(shot));
}
