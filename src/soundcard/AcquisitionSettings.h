#pragma once
// How the sound card is recorded.
#include <array>
#include <cstdint>
#include <string>

// The application keeps one copy (defaults file, "Data acquisition" dialog); every acquisition window owns
// another from its creation on.
struct AcquisitionSettings {
    // Rates the dialog offers, when the device takes them, and the decimation ratios it offers.
    static constexpr std::array<int32_t, 8> StandardRates{4000, 11025, 16000, 22050, 44100, 48000, 96000, 192000};
    static constexpr std::array<const char*, 9> DecimationRatios{"1",    "10",    "50",     "100",   "500",
                                                                 "1000", "5000", "10000", "100000"};
    static constexpr const char* DefaultCaption = "Sound card";

    int32_t deviceType = 0;        // kept for the files only
    int32_t device = -1;           // input device number; -1 is the system's default input
    int32_t channels = 1;          // 1 or 2
    int32_t sampleRate = 22050;    // Hz, the rate the device is opened with
    int32_t windowLength = 2048;   // samples per displayed window and channel, after decimation
    int32_t recordingLength = 0;   // seconds; 0 monitors without end
    int32_t decimation = 1;        // N of the N : 1 decimation
    std::string caption = DefaultCaption;
    std::string calibrationFile;   // a file name in the program's calibration folder
    bool triggerOn = false;
    int32_t threshold = 50;        // percent of full scale, -100 ... 100
    int32_t triggerChannel = 1;    // 1 or 2
    bool reArm = false;            // the trigger is armed again after each window
    int32_t skip = 0;              // samples ignored right after the trigger fired, 0 ... 50

    bool operator==(const AcquisitionSettings&) const = default;
};
