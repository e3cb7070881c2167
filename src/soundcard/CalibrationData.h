#pragma once
// A sound-card calibration.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

class ProgramPaths;
class UiServices;

// The reference signal drove the inputs to `inputLevels` percent of full scale, and that level stands for
// `calibrationLevel` in `units`. Kept in ".cal" files in the program's calibration folder, section
// "Calibration"; changed files go to the user's calibration folder when the program's own cannot be
// written.
struct CalibrationData {
    static constexpr const char* Section = "Calibration";
    static constexpr const char* FolderName = "calibration";
    static constexpr const char* DefaultFile = "default.cal";
    enum Type : int32_t { Peak = 0, Rms = 1 };

    int32_t channels = 2;
    std::array<double, 2> inputLevels{};  // percent of full scale, per channel
    double calibrationLevel = 0;
    double offset = 0;                    // added to every converted sample
    std::string units;
    int32_t type = Peak;                  // any other value converts nothing

    // Physical units per input step of channel 0 or 1. Without a reference level on the channel (0, as a
    // missing file reads) or for another type the samples stay as they are: 1.
    double gain(int channel) const;
    // The physical value of a raw sample of the channel.
    double convert(int16_t raw, int channel) const { return raw * gain(channel) + offset; }

    // A missing file or key reads as 0 (the units as empty).
    static CalibrationData read(const std::filesystem::path& file);
    // The six keys into the section, the rest of the file kept; the file is replaced whole. False when that failed.
    [[nodiscard]] bool write(const std::filesystem::path& file) const;

    // The named calibration file: the user's copy when there is one, else the shipped one.
    static std::filesystem::path file(const ProgramPaths& paths, const std::string& fileName);
    // What an acquisition window converts with: the named calibration file, or "default.cal" when it
    // cannot be opened, with a message unless the name has at most one character.
    static CalibrationData loadForAcquisition(UiServices& ui, const ProgramPaths& paths, const std::string& fileName);

    // Whether the file is one the settings files' reader reads: a regular file of a settings file's size.
    static bool canOpen(const std::filesystem::path& file);

    bool operator==(const CalibrationData&) const = default;
};
