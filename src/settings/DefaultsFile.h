#pragma once
// "defaults.ini": the application-wide settings kept from one run to the next.
#include <filesystem>
#include <memory>
#include <vector>

#include "dsp/SpectralSettings.h"
#include "settings/DefaultsSection.h"
#include "settings/ProgramPaths.h"

class DefaultsFile {
public:
    static constexpr const char* SpectralSection = "Spectral analysis defaults";

    static constexpr const char* FileName = "defaults.ini";

    // Read from the user's copy when there is one, else the shipped one; written where the program
    // writes changed files, so settings are never silently lost in a folder that cannot be written.
    static DefaultsFile locate(const ProgramPaths& paths);

    explicit DefaultsFile(std::filesystem::path file) : readFrom_(file), writeTo_(std::move(file)) {}
    DefaultsFile(std::filesystem::path readFrom, std::filesystem::path writeTo)
        : readFrom_(std::move(readFrom)), writeTo_(std::move(writeTo))
    {
    }
    const std::filesystem::path& readFrom() const { return readFrom_; }
    const std::filesystem::path& writeTo() const { return writeTo_; }

    // Adds a section of a higher subsystem; the file and its copies share the section's object.
    DefaultsFile withSection(std::shared_ptr<DefaultsSection> section) &&;

    // The built-in defaults replace what was read when FFT_TestPeaksLevel reads 0.
    SpectralSettings readSpectral() const;
    // Every added section reads its keys.
    void readSections() const;
    // The file is made anew: other keys and sections are dropped. The added sections follow the spectral one.
    [[nodiscard]] bool write(const SpectralSettings& spectral) const;

private:
    std::filesystem::path readFrom_;
    std::filesystem::path writeTo_;
    std::vector<std::shared_ptr<DefaultsSection>> sections_;
};
