#include "settings/DefaultsFile.h"

#include <cstdlib>
#include <unistd.h>

#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"

DefaultsFile DefaultsFile::locate(const std::string& programFolder)
{
    return locate(programFolder, ::access(programFolder.c_str(), W_OK) == 0);
}

DefaultsFile DefaultsFile::locate(const std::string& programFolder, bool programFolderWritable)
{
    const std::filesystem::path shipped = std::filesystem::path(programFolder) / "defaults.ini";
    if (programFolderWritable)
        return DefaultsFile(shipped);
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::filesystem::path(home) / ".config";
    else
        config = std::filesystem::temp_directory_path();
    const std::filesystem::path user = config / "marlune" / "defaults.ini";
    std::error_code error;
    return DefaultsFile(std::filesystem::exists(user, error) ? user : shipped, user);
}

DefaultsFile DefaultsFile::withSection(std::shared_ptr<DefaultsSection> section) &&
{
    sections_.push_back(std::move(section));
    return std::move(*this);
}

SpectralSettings DefaultsFile::readSpectral() const
{
    const TIniHelper ini(readFrom_.string());
    const SpectralSettings read = readSpectralSettings(ini, SpectralSection);
    return read.testPeaksLevel == 0 ? builtInSpectralDefaults(read) : read;
}

void DefaultsFile::readSections() const
{
    const TIniHelper ini(readFrom_.string());
    for (const auto& section : sections_)
        section->read(ini);
}

bool DefaultsFile::write(const SpectralSettings& spectral) const
{
    std::error_code error;
    std::filesystem::create_directories(writeTo_.parent_path(), error);
    TIniHelper ini;
    ini.create(writeTo_.string(), true);
    ini.clearSection(SpectralSection);
    writeSpectralSettings(ini, SpectralSection, spectral);
    for (const auto& section : sections_) {
        ini.clearSection(section->sectionName());
        section->write(ini);
    }
    return ini.flush();
}
