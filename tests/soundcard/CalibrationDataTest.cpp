#include <gtest/gtest.h>

#include "settings/PrivateProfile.h"
#include "settings/ProgramPaths.h"
#include "soundcard/CalibrationData.h"
#include "support/CommaLocale.h"
#include "support/FileSizeLimit.h"
#include "support/HostileFiles.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace {
CalibrationData peakOfOneVolt()
{
    CalibrationData data;
    data.inputLevels = {50, 50};
    data.calibrationLevel = 1;
    data.units = "V";
    return data;
}
}  // namespace

TEST(CalibrationData, PeakAndRmsGainsTurnRawSamplesIntoPhysicalValues)
{
    CalibrationData data = peakOfOneVolt();
    EXPECT_DOUBLE_EQ(data.gain(0), 1 / 16383.5);
    EXPECT_NEAR(data.convert(16384, 0), 1.0000305, 1e-7);
    EXPECT_NEAR(-32768 * data.gain(0), -2.0000610, 1e-7);
    EXPECT_NEAR(32768 * data.gain(0), 2.0000610, 1e-7);

    data.type = CalibrationData::Rms;
    EXPECT_DOUBLE_EQ(data.gain(0), 1 / (0.707 * 16383.5));

    data.type = 2;
    data.offset = 0.25;
    EXPECT_EQ(data.gain(1), 1.0);
    EXPECT_EQ(data.convert(-100, 1), -99.75) << "another type stores the samples as they are, plus the offset";
}

TEST(CalibrationData, EachChannelHasItsOwnGainAndDoublingTheLevelDoublesIt)
{
    CalibrationData data = peakOfOneVolt();
    data.inputLevels = {25, 100};
    data.offset = -0.5;
    EXPECT_DOUBLE_EQ(data.gain(0), 4 * data.gain(1));
    const double single = data.gain(1);
    data.calibrationLevel = 2;
    EXPECT_DOUBLE_EQ(data.gain(1), 2 * single);
    EXPECT_DOUBLE_EQ(data.convert(32767, 1), 2 - 0.5) << "full scale at 100 % is the calibration level";
}

TEST(CalibrationData, WithoutAReferenceLevelSamplesStayUnconverted)
{
    const CalibrationData zeros;
    EXPECT_EQ(zeros.gain(0), 1.0) << "0 / 0 would be no number at all";
    EXPECT_EQ(zeros.gain(1), 1.0);
    EXPECT_EQ(zeros.convert(1234, 0), 1234.0);
    EXPECT_EQ(peakOfOneVolt().gain(2), 1.0) << "a third channel has no level";
}

TEST(CalibrationData, FileRoundTripUnderACommaLocale)
{
    CommaLocale comma;
    REQUIRE_COMMA_LOCALE(comma);
    TempFolder folder;
    const auto file = folder.path / "probe.cal";
    writeBytes(file, "[Other]\r\nKey=1\r\n");
    CalibrationData written = peakOfOneVolt();
    written.inputLevels = {12.5, 99.75};
    written.calibrationLevel = 0.001234567;
    written.offset = -2.5;
    written.type = CalibrationData::Rms;
    ASSERT_TRUE(written.write(file));

    const PrivateProfile profile(file);
    EXPECT_EQ(profile.keys("Calibration"),
              (std::vector<std::string>{"InputLevel1", "InputLevel2", "CalLevel", "Offset", "Type", "Units"}));
    EXPECT_EQ(profile.getString("Calibration", "InputLevel2", ""), "99.75");
    EXPECT_EQ(profile.getString("Calibration", "CalLevel", ""), "0.00123457") << "%g keeps six digits";
    EXPECT_EQ(profile.getString("Other", "Key", ""), "1") << "the rest of the file stays";

    const CalibrationData read = CalibrationData::read(file);
    EXPECT_EQ(read.inputLevels, written.inputLevels);
    EXPECT_EQ(read.calibrationLevel, 0.00123457);
    EXPECT_EQ(read.offset, -2.5);
    EXPECT_EQ(read.type, CalibrationData::Rms);
    EXPECT_EQ(read.units, "V");
    EXPECT_EQ(read.channels, 2);
}

TEST(CalibrationData, MissingFileReadsAsZerosAndAFailedWriteKeepsTheOldFile)
{
    TempFolder folder;
    EXPECT_EQ(CalibrationData::read(folder.path / "none.cal"), CalibrationData{});
    const auto file = folder.path / "kept.cal";
    ASSERT_TRUE(peakOfOneVolt().write(file));
    const std::string before = readBytes(file);
    CalibrationData changed = peakOfOneVolt();
    changed.units = std::string(200, 'u');
    {
        const FileSizeLimit fullDisk(before.size() + 16);
        EXPECT_FALSE(changed.write(file));
    }
    EXPECT_EQ(readBytes(file), before);
}

TEST(CalibrationData, AcquisitionFallsBackToTheDefaultFileWithAMessageForRealNames)
{
    TempFolder folder;
    const ProgramPaths program(folder.path, true);
    std::filesystem::create_directories(folder.path / "calibration");
    CalibrationData fallback = peakOfOneVolt();
    fallback.units = "Pa";
    ASSERT_TRUE(fallback.write(folder.path / "calibration" / "default.cal"));
    CalibrationData own = peakOfOneVolt();
    own.calibrationLevel = 3;
    ASSERT_TRUE(own.write(folder.path / "calibration" / "mic.cal"));

    ScriptedUi ui;
    EXPECT_EQ(CalibrationData::loadForAcquisition(ui, program, "mic.cal"), own);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(CalibrationData::loadForAcquisition(ui, program, ""), fallback);
    EXPECT_EQ(CalibrationData::loadForAcquisition(ui, program, "x"), fallback);
    EXPECT_TRUE(ui.messages.empty()) << "names of one character or none fall back silently";
    EXPECT_EQ(CalibrationData::loadForAcquisition(ui, program, "gone.cal"), fallback);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Calibration file not found! Default calibration file will be used.");
    EXPECT_EQ(ui.messages[0].caption, "Marlune");

    std::filesystem::remove(folder.path / "calibration" / "default.cal");
    const CalibrationData none = CalibrationData::loadForAcquisition(ui, program, "");
    EXPECT_EQ(none.gain(0), 1.0) << "with no file at all the samples stay raw";
}

TEST(CalibrationData, ShippedDefaultFileIsAUsableCalibration)
{
    const CalibrationData shipped =
        CalibrationData::read(std::filesystem::path(MARLUNE_SOURCE_DIR) / "resources" / "calibration" / "default.cal");
    EXPECT_NE(shipped.inputLevels[0], 0);
    EXPECT_NE(shipped.inputLevels[1], 0);
    EXPECT_NE(shipped.calibrationLevel, 0);
    EXPECT_TRUE(shipped.type == CalibrationData::Peak || shipped.type == CalibrationData::Rms);
    EXPECT_NEAR(shipped.convert(32767, 0), 1.0, 1e-12) << "full scale reads as 1";
}

// A calibration file that is no regular file of a settings file's size is one that is not there.
TEST(CalibrationData, HostileFilesAreNotFound)
{
    TempFolder folder;
    const HangGuard guard;
    const ProgramPaths program(folder.path, true);
    std::filesystem::create_directories(folder.path / "calibration");
    CalibrationData fallback = peakOfOneVolt();
    fallback.units = "Pa";
    ASSERT_TRUE(fallback.write(folder.path / "calibration" / "default.cal"));
    for (const auto& hostile : hostileFiles(folder.path / "calibration", "mic", PrivateProfile::MaxFileBytes + 1)) {
        SCOPED_TRACE(hostile.filename().string());
        EXPECT_FALSE(CalibrationData::canOpen(hostile));
        ScriptedUi ui;
        EXPECT_EQ(CalibrationData::loadForAcquisition(ui, program, hostile.filename().string()), fallback);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Calibration file not found! Default calibration file will be used.");
    }
}
