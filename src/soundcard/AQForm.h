#pragma once
// The "Data acquisition" dialog on an AcquisitionSettings record.
#include <cstdint>
#include <string>
#include <vector>

#include "base/DialogForm.h"
#include "soundcard/AcquisitionSettings.h"

class ProgramPaths;
class SoundDevices;
class UiServices;

// The source, calibration, channel and rate lists, the custom rate, the lengths, the decimation and the
// trigger. An accepted OK writes the record; every refusal says "Your sound card does not support these
// settings!".
class AQForm : public DialogForm {
public:
    static constexpr std::string_view Name = "AQ";
    static constexpr int CustomRateLength = 9;
    static constexpr int SkipLength = 2;
    static constexpr std::size_t CalibrationNameLength = 255;
    static constexpr const char* DefaultSource = "Default sound card";
    static constexpr const char* Refusal = "Your sound card does not support these settings!";

    // Runs the dialog as the acquisition command does: the record's caption becomes "Sound card" and an
    // accepted OK changes the record. True on OK.
    static bool run(UiServices& ui, const SoundDevices& devices, const ProgramPaths& paths,
                    AcquisitionSettings& record);

    // The calibration files of the user's and the shipped calibration folder fill the calibration list.
    AQForm(UiServices& ui, const SoundDevices& devices, const ProgramPaths& paths, AcquisitionSettings& record);

    // Controls, as the dialog shows them; a selection of -1 selects nothing.
    std::string caption;
    std::vector<std::string> sourceEntries;  // "Default sound card", then the input devices; index = device + 1
    int source = 0;
    std::vector<std::string> calibrationEntries;  // the *.cal files of the calibration folders
    int calibration = -1;
    std::vector<std::string> channelEntries{"1", "2"};
    int channels = 0;
    std::vector<std::string> rateEntries;  // the standard rates the source takes with the chosen channels
    int rate = -1;
    bool customRate = false;               // the free rate field is shown in place of the list
    std::string customRateText;
    std::string windowLengthText;
    std::string recordingLengthText;
    std::vector<std::string> decimationEntries;
    int decimation = -1;
    bool triggerOn = false;
    std::vector<std::string> triggerChannelEntries{"1", "2"};
    int triggerChannel = 0;
    std::string thresholdText;
    bool reArm = false;
    std::string skipText;

    // "Custom" while the list is shown, "Standard" while the free field is.
    std::string customButtonText() const { return customRate ? "Standard" : "Custom"; }
    // "(resulting in sample rate = %g Hz)" for the shown rate and the decimation; empty without decimation.
    std::string resultingRateText() const;
    // Re-arming records window after window without end, so the recording length does not apply.
    bool recordingLengthEnabled() const { return !reArm; }

    // After a change of the source or the channel count: the rate list holds the standard rates the source
    // takes with that many channels, and keeps the chosen rate when it is still there.
    void fillRates();
    // The "Custom" / "Standard" button: the rate list and the free field change places.
    void toggleCustomRate() { customRate = !customRate; }

    std::string_view formName() const override { return Name; }
    bool accept() override;

private:
    int32_t shownRate() const;
    int32_t decimationValue() const;

    UiServices& ui_;
    const SoundDevices& devices_;
    AcquisitionSettings& record_;
};
