#include <gtest/gtest.h>

#include "settings/ProgramPaths.h"
#include "soundcard/AQForm.h"
#include "soundcard/VirtualSoundDevices.h"
#include "support/CommaLocale.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace {
class AQFormTest : public ::testing::Test {
protected:
    AQFormTest()
    {
        std::filesystem::create_directories(folder.path / "calibration");
        for (const char* name : {"mic.cal", "default.cal", "notes.txt", "Line.CAL"})
            writeBytes(folder.path / "calibration" / name, "[Calibration]\r\n");
        // The line input takes only 44100 and 48000 Hz in stereo, and two rates in mono.
        devices.acceptOnly(SoundDirection::Input, 0, {{2, 44100}, {2, 48000}, {1, 22050}, {1, 44100}});
    }

    AQForm form() { return AQForm(ui, devices, paths(), record); }
    ProgramPaths paths() const { return ProgramPaths(folder.path, true); }

    TempFolder folder;
    ScriptedUi ui;
    VirtualSoundDevices devices{{"Line in", "Microphone"}, {"Speakers"}};
    AcquisitionSettings record;
};

const std::vector<std::string> AllStandardRates{"4000",  "11025", "16000", "22050",
                                                "44100", "48000", "96000", "192000"};
}  // namespace

TEST_F(AQFormTest, OpensWithTheRecordsChoicesAndTheDevicesRates)
{
    record.device = 1;
    record.channels = 2;
    record.triggerChannel = 2;
    record.threshold = -30;
    record.skip = 7;
    record.windowLength = 1024;
    record.recordingLength = 5;
    record.decimation = 10;
    record.sampleRate = 48000;
    record.calibrationFile = "mic.cal";
    record.triggerOn = true;
    AQForm f = form();
    EXPECT_EQ(f.caption, "Sound card");
    EXPECT_EQ(f.sourceEntries, (std::vector<std::string>{"Default sound card", "Line in", "Microphone"}));
    EXPECT_EQ(f.source, 2);
    EXPECT_EQ(f.calibrationEntries, (std::vector<std::string>{"Line.CAL", "default.cal", "mic.cal"}));
    EXPECT_EQ(f.calibration, 2);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.triggerChannel, 1);
    EXPECT_EQ(f.thresholdText, "-30");
    EXPECT_EQ(f.skipText, "7");
    EXPECT_EQ(f.windowLengthText, "1024");
    EXPECT_EQ(f.recordingLengthText, "5");
    EXPECT_EQ(f.decimation, 1);
    EXPECT_TRUE(f.triggerOn);
    EXPECT_FALSE(f.reArm);
    EXPECT_EQ(f.rateEntries, AllStandardRates) << "the microphone takes every format";
    EXPECT_EQ(f.rate, 5);
    EXPECT_FALSE(f.customRate);
    EXPECT_EQ(f.customButtonText(), "Custom");
    EXPECT_EQ(f.customRateText, "48000");

    record.calibrationFile = "gone.cal";
    record.device = 5;
    AQForm fallback = form();
    EXPECT_EQ(fallback.calibration, 1) << "default.cal stands in for a file that is gone";
    EXPECT_EQ(fallback.source, 0) << "a device that is gone leaves the default one";
}

TEST_F(AQFormTest, StereoOnlyDeviceListsItsTwoRatesAndTheListFollowsTheChannels)
{
    record.sampleRate = 44100;
    AQForm f = form();
    f.source = 1;
    f.channels = 1;
    f.fillRates();
    EXPECT_EQ(f.rateEntries, (std::vector<std::string>{"44100", "48000"}));
    EXPECT_EQ(f.rate, 0) << "the chosen rate is kept";

    f.channels = 0;
    f.fillRates();
    EXPECT_EQ(f.rateEntries, (std::vector<std::string>{"22050", "44100"}));
    EXPECT_EQ(f.rate, 1);

    f.channels = 1;
    f.fillRates();
    f.rate = 1;  // 48000
    f.channels = 0;
    f.fillRates();
    EXPECT_EQ(f.rate, -1) << "48000 is gone in mono, so nothing is selected";
    f.source = 0;
    f.fillRates();
    EXPECT_EQ(f.rateEntries, AllStandardRates);
    EXPECT_EQ(f.rate, -1);
}

TEST_F(AQFormTest, ResultingRateNamesTheDecimatedRate)
{
    record.sampleRate = 44100;
    record.decimation = 100;
    AQForm f = form();
    EXPECT_EQ(f.resultingRateText(), "(resulting in sample rate = 441 Hz)");
    f.decimation = 0;
    EXPECT_EQ(f.resultingRateText(), "") << "decimation 1";
    f.decimation = 2;  // 50
    f.rate = 3;        // 22050
    f.customRateText = "22051";
    EXPECT_EQ(f.resultingRateText(), "(resulting in sample rate = 441 Hz)");
    f.toggleCustomRate();
    EXPECT_EQ(f.resultingRateText(), "(resulting in sample rate = 441.02 Hz)") << "the shown field counts";
}

TEST_F(AQFormTest, ResultingRateIsWrittenInTheCLocale)
{
    CommaLocale comma;
    REQUIRE_COMMA_LOCALE(comma);
    record.decimation = 100;
    EXPECT_EQ(form().resultingRateText(), "(resulting in sample rate = 220.5 Hz)");
}

TEST_F(AQFormTest, RateOutsideTheListOpensTheCustomField)
{
    record.sampleRate = 8000;
    AQForm f = form();
    EXPECT_TRUE(f.customRate);
    EXPECT_EQ(f.customRateText, "8000");
    EXPECT_EQ(f.customButtonText(), "Standard");
    EXPECT_EQ(f.rate, 4) << "44100 waits in the hidden list";
    EXPECT_TRUE(f.accept());
    EXPECT_EQ(record.sampleRate, 8000);

    f.toggleCustomRate();
    EXPECT_EQ(f.customButtonText(), "Custom");
    EXPECT_TRUE(f.accept());
    EXPECT_EQ(record.sampleRate, 44100) << "the list is what is shown now";
}

TEST_F(AQFormTest, ThresholdAndSkipOutsideTheirRangesAreRefusedEvenOnACapableDevice)
{
    const AcquisitionSettings before = record;
    AQForm f = form();
    f.thresholdText = "101";
    EXPECT_FALSE(f.accept());
    f.thresholdText = "-101";
    EXPECT_FALSE(f.accept());
    f.thresholdText = "-100";
    f.skipText = "51";
    EXPECT_FALSE(f.accept());
    f.skipText = "-1";
    EXPECT_FALSE(f.accept());
    EXPECT_EQ(record, before) << "a refusal changes nothing";
    ASSERT_EQ(ui.messages.size(), 4u);
    for (const auto& message : ui.messages) {
        EXPECT_EQ(message.text, "Your sound card does not support these settings!");
        EXPECT_EQ(message.caption, "Marlune");
    }

    f.skipText = "50";
    EXPECT_TRUE(f.accept());
    EXPECT_EQ(record.threshold, -100);
    EXPECT_EQ(record.skip, 50);
    EXPECT_EQ(ui.messages.size(), 4u);
}

TEST_F(AQFormTest, AFormatTheDeviceRefusesKeepsTheDialogOpen)
{
    record.sampleRate = 44100;
    AQForm f = form();
    f.source = 1;
    f.channels = 1;
    f.fillRates();
    f.toggleCustomRate();
    f.customRateText = "32000";
    EXPECT_FALSE(f.accept());
    f.customRateText = "0";
    EXPECT_FALSE(f.accept());
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>(2, AQForm::Refusal)));
    f.toggleCustomRate();
    EXPECT_TRUE(f.accept());
    EXPECT_EQ(record.device, 0);
    EXPECT_EQ(record.channels, 2);
    EXPECT_EQ(record.sampleRate, 44100);
}

TEST_F(AQFormTest, AcceptedFieldsAreReadAsDecimalTextAndDeviceTypeAndCaptionStay)
{
    record.deviceType = 4;
    record.caption = "Sound card";
    AQForm f = form();
    f.calibration = 0;
    f.windowLengthText = "  256samples";
    f.recordingLengthText = "twelve";
    f.thresholdText = "abc";
    f.skipText = "+3";
    f.decimation = 3;
    f.triggerOn = true;
    f.triggerChannel = 1;
    f.reArm = true;
    EXPECT_FALSE(f.recordingLengthEnabled()) << "re-arming has no recording length";
    ASSERT_TRUE(f.accept());
    EXPECT_EQ(record.calibrationFile, "Line.CAL");
    EXPECT_EQ(record.windowLength, 256);
    EXPECT_EQ(record.recordingLength, 0);
    EXPECT_EQ(record.threshold, 0) << "text that is not a number reads as 0";
    EXPECT_EQ(record.skip, 3);
    EXPECT_EQ(record.decimation, 100);
    EXPECT_TRUE(record.triggerOn);
    EXPECT_EQ(record.triggerChannel, 2);
    EXPECT_TRUE(record.reArm);
    EXPECT_EQ(record.deviceType, 4);
    EXPECT_EQ(record.caption, "Sound card");
}

TEST_F(AQFormTest, WindowsOfNoSamplesAndNegativeLengthsAreRefused)
{
    AQForm f = form();
    f.windowLengthText = "0";
    EXPECT_FALSE(f.accept());
    f.windowLengthText = "1";
    f.recordingLengthText = "-5";
    EXPECT_FALSE(f.accept());
    f.recordingLengthText = "0";
    EXPECT_TRUE(f.accept());
    EXPECT_EQ(record.windowLength, 1);
}

TEST_F(AQFormTest, DecimationOutsideTheListIsKept)
{
    record.decimation = 3;
    AQForm f = form();
    EXPECT_EQ(f.decimation, -1);
    EXPECT_EQ(f.resultingRateText(), "(resulting in sample rate = 7350 Hz)");
    ASSERT_TRUE(f.accept());
    EXPECT_EQ(record.decimation, 3);
}

TEST_F(AQFormTest, AReadOnlyProgramFolderListsTheUsersFilesWithTheShippedOnesOnce)
{
    TempFolder config;
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", config.path.string());
    const std::filesystem::path user = config.path / "marlune" / "calibration";
    std::filesystem::create_directories(user);
    for (const char* name : {"mic.cal", "field.cal"})
        writeBytes(user / name, "[Calibration]\r\n");
    record.calibrationFile = "field.cal";
    const AQForm f(ui, devices, ProgramPaths(folder.path, false), record);
    EXPECT_EQ(f.calibrationEntries, (std::vector<std::string>{"Line.CAL", "default.cal", "field.cal", "mic.cal"}));
    EXPECT_EQ(f.calibration, 2);
}

TEST_F(AQFormTest, WithoutACalibrationFolderTheListIsEmptyAndTheNameToo)
{
    std::filesystem::remove_all(folder.path / "calibration");
    record.calibrationFile = "mic.cal";
    AQForm f = form();
    EXPECT_TRUE(f.calibrationEntries.empty());
    EXPECT_EQ(f.calibration, -1);
    ASSERT_TRUE(f.accept());
    EXPECT_EQ(record.calibrationFile, "");
}

TEST_F(AQFormTest, TheCommandNamesTheDialogSoundCardAndCancelKeepsTheRecord)
{
    record.caption.clear();
    record.threshold = 20;
    ui.formAnswers.push_back([](DialogForm& shown) {
        auto& f = static_cast<AQForm&>(shown);
        EXPECT_EQ(f.caption, "Sound card");
        f.thresholdText = "90";
        return false;
    });
    EXPECT_FALSE(AQForm::run(ui, devices, paths(), record));
    EXPECT_EQ(record.threshold, 20);
    EXPECT_EQ(record.caption, "Sound card");

    ui.formAnswers.push_back([](DialogForm& shown) {
        static_cast<AQForm&>(shown).thresholdText = "90";
        return true;
    });
    EXPECT_TRUE(AQForm::run(ui, devices, paths(), record));
    EXPECT_EQ(record.threshold, 90);
    EXPECT_EQ(ui.formsShown, (std::vector<std::string>{"AQ", "AQ"}));
}
