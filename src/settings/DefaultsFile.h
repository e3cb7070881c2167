#pragma once
#include <filesystem>
#include <string>

#include "dsp/SpectralSettings.h"

// "defaults.ini": the application-wide settings kept from one run to the next.
class DefaultsFile {
public:
    static constexpr const char* SpectralSection = "Spectral analysis defaults";

    // The program folder's copy; when that folder cannot be written (an installed program) the user's
    // copy under $XDG_CONFIG_HOME/marlune (~/.config/marlune), so settings are never silently lost.
    static std::filesystem::path locate(const std::string& programFolder);

    explicit DefaultsFile(std::filesystem::path file) : file_(std::move(file)) {}
    const std::filesystem::path& file() const { return file_; }

    // The built-in defaults replace what was read when FFT_TestPeaksLevel reads 0.
    SpectralSettings readSpectral() const;
    // The file is made anew: other keys and sections are dropped.
    bool write(const SpectralSettings& spectral) const;

private:
    std::filesystem::path file_;
};
