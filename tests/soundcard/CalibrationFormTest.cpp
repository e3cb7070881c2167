#include <gtest/gtest.h>

#include "soundcard/CalibrationForm.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/VirtualSoundStream.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace {
class CalibrationFormTest : public ::testing::Test {
protected:
    CalibrationFormTest()
    {
        std::filesystem::create_directories(calibration());
        CalibrationData stored;
        stored.inputLevels = {40, 60};
        stored.calibrationLevel = 2.5;
        stored.offset = 0.125;
        stored.units = "Pa";
        stored.type = CalibrationData::Rms;
        EXPECT_TRUE(stored.write(calibration() / "mic.cal"));
    }

    std::filesystem::path calibration() const { return folder.path / "calibration"; }
    ProgramPaths paths() const { return ProgramPaths(folder.path, true); }
    CalibrationForm formOn(const std::string& name)
    {
        return CalibrationForm(ui, devices, paths(), calibration() / name);
    }

    TempFolder folder;
    ScriptedUi ui;
    VirtualSoundDevices devices;
};

// Interleaved stereo frames with the given left and right values.
std::vector<int16_t> frames(std::size_t count, int16_t left, int16_t right)
{
    std::vector<int16_t> samples;
    for (std::size_t i = 0; i < count; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    return samples;
}
}  // namespace

TEST_F(CalibrationFormTest, ShowsTheLoadedFileAndClosesWithoutAskingWhenNothingChanged)
{
    CalibrationForm form = formOn("mic.cal");
    EXPECT_EQ(form.inputLevel1Text, "40.000000");
    EXPECT_EQ(form.inputLevel2Text, "60.000000");
    EXPECT_EQ(form.levelText, "2.500000");
    EXPECT_EQ(form.offsetText, "0.125000");
    EXPECT_EQ(form.unitsText, "Pa");
    EXPECT_EQ(form.type, 1);
    EXPECT_EQ(form.currentFile(), calibration() / "mic.cal");
    EXPECT_TRUE(form.saveEnabled());
    EXPECT_TRUE(form.accept());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CalibrationFormTest, FileLabelIsCutAfterSixtyCharacters)
{
    const std::string longName = std::string(70, 'a') + ".cal";
    std::filesystem::copy_file(calibration() / "mic.cal", calibration() / longName);
    const CalibrationForm form = formOn(longName);
    const std::string path = (calibration() / longName).string();
    EXPECT_EQ(form.fileLabel(), path.substr(0, 60) + "...");
    EXPECT_EQ(formOn("missing.cal").fileLabel(), "") << "no current file";
}

TEST_F(CalibrationFormTest, ChangedDataAsksAndCancelKeepsTheDialogOpen)
{
    CalibrationForm form = formOn("mic.cal");
    form.levelText = "3";
    ui.messageAnswers = {MessageResult::Cancel, MessageResult::No};
    EXPECT_FALSE(form.accept());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want to save changed data?");
    EXPECT_EQ(ui.messages[0].caption, "Save?");
    EXPECT_TRUE(form.accept()) << "No closes without saving";
    EXPECT_EQ(CalibrationData::read(calibration() / "mic.cal").calibrationLevel, 2.5);

    form.levelText = "3";
    ui.messageAnswers = {MessageResult::Yes};
    EXPECT_TRUE(form.accept());
    EXPECT_EQ(CalibrationData::read(calibration() / "mic.cal").calibrationLevel, 3.0);
}

TEST_F(CalibrationFormTest, ZeroLevelsAreNeverSavedAndTheQuestionThenKeepsTheDialog)
{
    CalibrationForm form = formOn("mic.cal");
    const std::string before = readBytes(calibration() / "mic.cal");
    for (std::string* field : {&form.inputLevel1Text, &form.inputLevel2Text, &form.levelText}) {
        const std::string kept = *field;
        *field = "0";
        form.save();
        *field = "none";
        form.save();
        *field = kept;
    }
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>(6, CalibrationForm::Invalid));
    EXPECT_EQ(ui.messages[0].caption, "Marlune");
    EXPECT_EQ(readBytes(calibration() / "mic.cal"), before);

    form.levelText = "0";
    ui.messageAnswers = {MessageResult::Yes};
    EXPECT_FALSE(form.accept()) << "the person wanted the data kept, and it could not be saved";
}

TEST_F(CalibrationFormTest, NewThenSaveAsAsksForANameAndMakesItCurrent)
{
    CalibrationForm form = formOn("mic.cal");
    form.newCalibration();
    EXPECT_FALSE(form.currentFile());
    EXPECT_FALSE(form.saveEnabled());
    EXPECT_EQ(form.inputLevel1Text, "50");
    EXPECT_EQ(form.inputLevel2Text, "50");
    EXPECT_EQ(form.levelText, "1");
    EXPECT_EQ(form.unitsText, "");
    EXPECT_EQ(form.offsetText, "0");
    EXPECT_EQ(form.type, 0);

    form.save();
    EXPECT_TRUE(ui.saveFilters.empty()) << "Save needs an existing current file";
    form.saveAs();
    EXPECT_FALSE(form.currentFile()) << "the name was cancelled";
    const auto target = calibration() / "new.cal";
    ui.saveAnswers.push_back(target.string());
    form.saveAs();
    EXPECT_EQ(ui.saveFilters.back(), "Calibration files(*.cal)|*.cal");
    EXPECT_EQ(form.currentFile(), target);
    const CalibrationData saved = CalibrationData::read(target);
    EXPECT_EQ(saved.inputLevels, (std::array<double, 2>{50, 50}));
    EXPECT_EQ(saved.calibrationLevel, 1);
    EXPECT_EQ(saved.type, CalibrationData::Peak);
    EXPECT_TRUE(form.accept());
    EXPECT_EQ(ui.messages.size(), 0u);
}

TEST_F(CalibrationFormTest, LoadAsksFirstThenShowsTheChosenFile)
{
    CalibrationForm form = formOn("missing.cal");
    EXPECT_EQ(form.inputLevel1Text, "0.000000");
    ui.openAnswers.push_back({(calibration() / "mic.cal").string()});
    form.load();
    EXPECT_TRUE(ui.messages.empty()) << "an empty record equals no file";
    EXPECT_EQ(form.unitsText, "Pa");

    form.unitsText = "V";
    ui.messageAnswers = {MessageResult::Cancel};
    ui.openAnswers.push_back({(calibration() / "mic.cal").string()});
    form.load();
    EXPECT_EQ(form.unitsText, "V") << "Cancel ends the command";
    EXPECT_EQ(ui.openAnswers.size(), 1u);
}

TEST_F(CalibrationFormTest, TheCommandOpensTheNamedFileOrTheDefaultOne)
{
    ASSERT_TRUE(CalibrationData{}.write(calibration() / "default.cal"));
    std::vector<std::filesystem::path> opened;
    const auto remember = [&](DialogForm& shown) {
        opened.push_back(*static_cast<CalibrationForm&>(shown).currentFile());
        return false;
    };
    ui.formAnswers = {remember, remember, remember};
    CalibrationForm::run(ui, devices, paths(), "mic.cal");
    CalibrationForm::run(ui, devices, paths(), "gone.cal");
    CalibrationForm::run(ui, devices, paths(), "");
    EXPECT_EQ(opened, (std::vector<std::filesystem::path>{calibration() / "mic.cal", calibration() / "default.cal",
                                                          calibration() / "default.cal"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CalibrationFormTest, AReadOnlyProgramFolderSavesTheUsersCopyAndReadsItFirst)
{
    // Root writes through permissions, so the paths are told the folder is read-only as well.
    TempFolder config;
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", config.path.string());
    const std::filesystem::path user = config.path / "marlune" / "calibration";
    std::filesystem::permissions(calibration(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const ProgramPaths installed(folder.path, false);
    const std::string shipped = readBytes(calibration() / "mic.cal");

    CalibrationForm form(ui, devices, installed, calibration() / "mic.cal");
    ui.openAnswers.push_back({});
    form.load();
    EXPECT_EQ(ui.openFolders.back(), calibration().string()) << "no user folder yet: the shipped one";
    form.levelText = "7";
    form.save();
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{});
    EXPECT_TRUE(ui.saveFilters.empty()) << "Save asks for no name";
    EXPECT_EQ(form.currentFile(), user / "mic.cal");
    EXPECT_EQ(CalibrationData::read(user / "mic.cal").calibrationLevel, 7.0);
    EXPECT_EQ(CalibrationData::read(user / "mic.cal").units, "Pa") << "the other fields come along";
    EXPECT_EQ(readBytes(calibration() / "mic.cal"), shipped) << "the shipped file is never written";
    EXPECT_TRUE(form.accept()) << "the saved copy equals the fields";

    ui.saveAnswers.push_back((user / "field.cal").string());
    form.saveAs();
    EXPECT_EQ(ui.saveFolders.back(), user.string()) << "Save As starts where files are written";
    ui.openAnswers.push_back({});
    form.load();
    EXPECT_EQ(ui.openFolders.back(), user.string()) << "the user's folder comes first once it exists";

    // The command, the acquisition and the acquisition dialog all see the user's copy first.
    std::vector<std::filesystem::path> opened;
    ui.formAnswers.push_back([&](DialogForm& shown) {
        opened.push_back(*static_cast<CalibrationForm&>(shown).currentFile());
        return false;
    });
    CalibrationForm::run(ui, devices, installed, "mic.cal");
    EXPECT_EQ(opened, std::vector<std::filesystem::path>{user / "mic.cal"});
    EXPECT_EQ(CalibrationData::loadForAcquisition(ui, installed, "mic.cal").calibrationLevel, 7.0);
    EXPECT_EQ(CalibrationData::loadForAcquisition(ui, ProgramPaths(folder.path, true), "mic.cal").calibrationLevel, 2.5)
        << "a writable program folder has no user copies";
    std::filesystem::permissions(calibration(), std::filesystem::perms::owner_all);
}

TEST_F(CalibrationFormTest, AWritableProgramFolderIsSavedInPlace)
{
    CalibrationForm form = formOn("mic.cal");
    form.levelText = "7";
    form.save();
    EXPECT_EQ(form.currentFile(), calibration() / "mic.cal");
    EXPECT_EQ(CalibrationData::read(calibration() / "mic.cal").calibrationLevel, 7.0);
    form.saveAs();
    EXPECT_EQ(ui.saveFolders, std::vector<std::string>{calibration().string()});
}

TEST_F(CalibrationFormTest, MeasuringShowsThePeaksOfTheFirst512FramesAfterTheFirstBuffer)
{
    std::vector<int16_t> input = frames(2048, 30000, 30000);  // the first buffer is ignored
    std::vector<int16_t> second = frames(2048, 100, -200);
    second[2 * 10] = -16384;                                    // left peak, magnitude
    second[2 * 511 + 1] = 8192;                                 // right peak, last frame that counts
    second[2 * 512] = 32000;                                    // beyond the measured frames
    input.insert(input.end(), second.begin(), second.end());
    std::vector<int16_t> silent = frames(2048, 0, 0);
    input.insert(input.end(), silent.begin(), silent.end());
    devices.inputSamples = input;

    CalibrationForm form = formOn("mic.cal");
    int shown = 0;
    form.showFields = [&] { ++shown; };
    EXPECT_EQ(form.measureButtonText(), "Measure input signal now!");
    form.toggleMeasuring();
    ASSERT_TRUE(form.measuring());
    EXPECT_EQ(form.measureButtonText(), "Stop measuring");
    ASSERT_EQ(devices.openings.size(), 1u);
    EXPECT_EQ(devices.openings[0].device, SoundDevices::DefaultDevice);
    EXPECT_EQ(devices.openings[0].format, (PcmFormat{2, 11025}));
    VirtualSoundStream* stream = devices.newest(SoundDirection::Input);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->queued(), 2u);

    stream->deliver();
    EXPECT_EQ(form.inputLevel1Text, "40.000000") << "the first buffer is ignored";
    EXPECT_EQ(shown, 0);
    stream->deliver();
    EXPECT_EQ(form.inputLevel1Text, "50.001526");  // 16384 / 32767 * 100
    EXPECT_EQ(form.inputLevel2Text, "25.000763");  // 8192 / 32767 * 100
    EXPECT_EQ(shown, 1);
    stream->deliver();
    EXPECT_EQ(form.inputLevel1Text, "50.001526") << "silence leaves the last levels";
    EXPECT_EQ(stream->queued(), 2u) << "every buffer is queued again";

    form.toggleMeasuring();
    EXPECT_FALSE(form.measuring());
    EXPECT_EQ(form.measureButtonText(), "Start measuring now!");
    EXPECT_TRUE(devices.streams().empty());
    ui.messageAnswers = {MessageResult::No};
    EXPECT_TRUE(form.accept());
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Do you want to save changed data?"});
}

TEST_F(CalibrationFormTest, MeasuringWithoutADeviceSaysSoAndClosingStopsIt)
{
    VirtualSoundDevices none({}, {});
    CalibrationForm lonely(ui, none, paths(), calibration() / "mic.cal");
    lonely.toggleMeasuring();
    EXPECT_FALSE(lonely.measuring());
    devices.acceptOnly(SoundDirection::Input, SoundDevices::DefaultDevice, {{2, 44100}});
    CalibrationForm refused = formOn("mic.cal");
    refused.toggleMeasuring();
    EXPECT_FALSE(refused.measuring());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Could not find the sound card in your system.");
    EXPECT_EQ(ui.messages[1].text,
              "Could not open your sound card for playing. Please check if sound card is properly installed.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[1].caption, "Error");

    devices.acceptOnly(SoundDirection::Input, SoundDevices::DefaultDevice, {{2, 11025}});
    CalibrationForm form = formOn("mic.cal");
    form.toggleMeasuring();
    ASSERT_TRUE(form.measuring());
    EXPECT_TRUE(form.accept());
    EXPECT_FALSE(form.measuring());
    EXPECT_TRUE(devices.streams().empty());
}

TEST_F(CalibrationFormTest, AnInputThatFailsWhileMeasuringStopsItWithOneMessageAndKeepsTheLevels)
{
    std::vector<int16_t> input = frames(2048, 0, 0);
    const std::vector<int16_t> second = frames(2048, 16384, 8192);
    input.insert(input.end(), second.begin(), second.end());
    devices.inputSamples = input;
    CalibrationForm form = formOn("mic.cal");
    int shown = 0;
    form.showFields = [&] { ++shown; };
    form.toggleMeasuring();
    VirtualSoundStream* stream = devices.newest(SoundDirection::Input);
    ASSERT_TRUE(stream->deliver());
    ASSERT_TRUE(stream->deliver());
    stream->fail();
    devices.dispatch();
    EXPECT_FALSE(form.measuring());
    EXPECT_TRUE(devices.streams().empty());
    EXPECT_EQ(form.measureButtonText(), "Start measuring now!");
    EXPECT_EQ(shown, 2) << "the dialog shows the button's new text";
    EXPECT_EQ(form.inputLevel1Text, "50.001526");
    EXPECT_EQ(form.inputLevel2Text, "25.000763");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Could not open your sound card for playing. Please check if sound card is properly installed.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
}
