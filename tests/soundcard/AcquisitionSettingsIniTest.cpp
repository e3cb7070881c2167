#include <gtest/gtest.h>

#include "settings/DefaultsFile.h"
#include "settings/PrivateProfile.h"
#include "settings/TIniHelper.h"
#include "soundcard/AcquisitionDefaults.h"
#include "soundcard/AcquisitionSettingsIni.h"
#include "support/CommaLocale.h"
#include "support/TempFolder.h"

namespace {
const std::string Section = AcquisitionDefaults::Section;

AcquisitionSettings everyFieldChanged()
{
    AcquisitionSettings s;
    s.deviceType = 3;
    s.device = 1;
    s.channels = 2;
    s.sampleRate = 48000;
    s.windowLength = 512;
    s.recordingLength = 10;
    s.decimation = 10;
    s.calibrationFile = "mic.cal";
    s.triggerOn = true;
    s.threshold = -100;
    s.triggerChannel = 2;
    s.reArm = true;
    s.skip = 50;
    return s;
}

AcquisitionSettings readDefaults(const std::filesystem::path& file)
{
    const TIniHelper ini(file.string());
    return readAcquisitionDefaults(ini, Section);
}
}  // namespace

TEST(AcquisitionDefaults, WithoutSampleRateEveryFieldKeepsItsBuiltInDefault)
{
    TempFolder folder;
    const auto file = folder.path / "defaults.ini";
    writeBytes(file, "[Data acquisition defaults]\r\nDeviceID=1\r\nNumberOfChannels=2\r\nTriggerOn=1\r\n"
                     "TriggerTreshold=80\r\nCalibration=mic.cal\r\n");
    const AcquisitionSettings read = readDefaults(file);
    EXPECT_EQ(read, AcquisitionSettings{});
    EXPECT_EQ(read.sampleRate, 22050);
    EXPECT_EQ(read.device, -1);
    EXPECT_EQ(read.channels, 1);
    EXPECT_EQ(read.windowLength, 2048);
    EXPECT_EQ(read.recordingLength, 0);
    EXPECT_EQ(read.decimation, 1);
    EXPECT_FALSE(read.triggerOn);
    EXPECT_EQ(read.threshold, 50);
    EXPECT_EQ(read.triggerChannel, 1);
    EXPECT_FALSE(read.reArm);
    EXPECT_EQ(read.calibrationFile, "");

    writeBytes(file, "[Data acquisition defaults]\r\nSampleRate=0\r\nDeviceID=1\r\n");
    EXPECT_EQ(readDefaults(file), AcquisitionSettings{}) << "a stored 0 is no rate either";
    EXPECT_EQ(readDefaults(folder.path / "missing.ini"), AcquisitionSettings{});
}

TEST(AcquisitionDefaults, StoredSectionIsReadWholeAndSwitchesReadAsOne)
{
    TempFolder folder;
    const auto file = folder.path / "defaults.ini";
    writeBytes(file, "[Data acquisition defaults]\r\nSampleRate=8000\r\nTriggerOn=7\r\nTriggerReArm=-2\r\n");
    const AcquisitionSettings read = readDefaults(file);
    EXPECT_EQ(read.sampleRate, 8000);
    EXPECT_TRUE(read.triggerOn);
    EXPECT_TRUE(read.reArm);
    EXPECT_EQ(read.windowLength, 0) << "with a rate stored, a missing key reads as 0";
    EXPECT_EQ(read.threshold, 0);
    EXPECT_EQ(read.caption, "Sound card") << "the caption is not stored";

    {
        TIniHelper ini(file.string());
        writeAcquisitionDefaults(ini, Section, read);
    }
    EXPECT_EQ(PrivateProfile(file).getString(Section, "TriggerOn", ""), "1");
    EXPECT_EQ(PrivateProfile(file).getString(Section, "TriggerReArm", ""), "1");
}

TEST(AcquisitionDefaults, RoundTripUnderACommaLocaleKeepsEveryKeyAndItsOrder)
{
    CommaLocale comma;
    REQUIRE_COMMA_LOCALE(comma);
    TempFolder folder;
    const auto file = folder.path / "defaults.ini";
    const AcquisitionSettings written = everyFieldChanged();
    {
        TIniHelper ini(file.string());
        writeAcquisitionDefaults(ini, Section, written);
    }
    AcquisitionSettings read = readDefaults(file);
    read.caption = written.caption;
    EXPECT_EQ(read, written);
    const PrivateProfile profile(file);
    EXPECT_EQ(profile.keys(Section),
              (std::vector<std::string>{"SampleRate", "DeviceType", "DeviceID", "Decimation", "NumberOfChannels",
                                        "WindowLength", "TotalLength", "TriggerOn", "TriggerTreshold",
                                        "TriggerChannel", "TriggerReArm", "TriggerSkipSamples", "Calibration"}));
    EXPECT_EQ(profile.getString(Section, "TriggerTreshold", ""), "-100");
    EXPECT_EQ(profile.getString(Section, "SampleRate", ""), "48000") << "no grouping, no comma";
}

TEST(AcquisitionDefaults, DefaultsFileKeepsTheSectionBesideTheSpectralOne)
{
    TempFolder folder;
    const auto file = folder.path / "defaults.ini";
    auto acquisition = std::make_shared<AcquisitionDefaults>();
    const DefaultsFile defaults = DefaultsFile(file).withSection(acquisition);
    defaults.readSections();
    EXPECT_EQ(acquisition->settings, AcquisitionSettings{}) << "no file: the built-in defaults";
    ASSERT_TRUE(defaults.write(defaults.readSpectral()));
    const PrivateProfile profile(file);
    EXPECT_EQ(profile.sectionNames(),
              (std::vector<std::string>{"Spectral analysis defaults", "Data acquisition defaults"}));
    const std::vector<std::pair<const char*, const char*>> expected{
        {"SampleRate", "22050"}, {"DeviceID", "-1"},     {"NumberOfChannels", "1"}, {"WindowLength", "2048"},
        {"Decimation", "1"},     {"TriggerTreshold", "50"}, {"TriggerChannel", "1"}, {"TotalLength", "0"},
        {"TriggerOn", "0"},      {"TriggerReArm", "0"},  {"Calibration", ""}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(profile.getString(Section, key, "missing"), value) << key;

    acquisition->settings = everyFieldChanged();
    ASSERT_TRUE(defaults.write(defaults.readSpectral()));
    acquisition->settings = AcquisitionSettings{};
    defaults.readSections();
    EXPECT_EQ(acquisition->settings, everyFieldChanged());
}

TEST(AcquisitionWindowKeys, RestoreTheDeviceRateFromTheSignalRateAndTheDecimation)
{
    TempFolder folder;
    const auto file = folder.path / "work.mws";
    const AcquisitionSettings written = everyFieldChanged();
    {
        TIniHelper ini(file.string());
        writeAcquisitionWindow(ini, "Window_0", written);
    }
    const PrivateProfile profile(file);
    EXPECT_EQ(profile.keys("Window_0"),
              (std::vector<std::string>{"DeviceType", "DeviceID", "Decimation", "NumberOfChannels", "TotalLength",
                                        "SegmentLength", "TriggerOn", "TriggerTreshold", "TriggerChannel",
                                        "TriggerReArm", "TriggerSkipSamples", "Calibration"}));
    EXPECT_EQ(profile.getString("Window_0", "SegmentLength", ""), "512");

    const TIniHelper ini(file.string());
    AcquisitionSettings read = readAcquisitionWindow(ini, "Window_0", 4800.0L);
    EXPECT_EQ(read.sampleRate, 48000) << "the stored signal ran at 48000 / 10";
    EXPECT_EQ(read.caption, "");
    read.caption = written.caption;
    EXPECT_EQ(read, written);

    writeBytes(file, "[Window_0]\r\nDecimation=0\r\nSegmentLength=100\r\n");
    const TIniHelper zero(file.string());
    const AcquisitionSettings undecimated = readAcquisitionWindow(zero, "Window_0", 11025.0L);
    EXPECT_EQ(undecimated.decimation, 1);
    EXPECT_EQ(undecimated.sampleRate, 11025);
    EXPECT_EQ(undecimated.windowLength, 100);
}
