#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dsp/SpectralSettings.h"
#include "settings/DefaultsSection.h"

// "defaults.ini": the application-wide settings kept from one run to the next.
class DefaultsFile {
public:
    static constexpr const char* SpectralSection = "Spectral analysis defaults";

    // The program folder's copy. When that folder cannot be written (an installed program) the
    // settings go to the user's copy under $XDG_CONFIG_HOME/marlune (~/.config/marlune), so they are
    // never silently lost, and are read from it when it exists, else from the copy shipped in the folder.
    static DefaultsFile locate(const std::string& programFolder);
    static DefaultsFile locate(const std::string& programFolder, bool programFolderWritable);

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
