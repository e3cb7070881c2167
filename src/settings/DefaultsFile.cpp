#include "settings/DefaultsFile.h"

#include <cstdlib>
#include <unistd.h>

#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"

std::filesystem::path DefaultsFile::locate(const std::string& programFolder)
{
    const std::filesystem::path folder(programFolder);
    if (::access(folder.c_str(), W_OK) == 0)
        return folder / "defaults.ini";
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::filesystem::path(home) / ".config";
    else
        config = std::filesystem::temp_directory_path();
    return config / "marlune" / "defaults.ini";
}

SpectralSettings DefaultsFile::readSpectral() const
{
    const TIniHelper ini(file_.string());
    const SpectralSettings read = readSpectralSettings(ini, SpectralSection);
    return read.testPeaksLevel == 0 ? builtInSpectralDefaults(read) : read;
}

bool DefaultsFile::write(const SpectralSettings& spectral) const
{
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    TIniHelper ini;
    ini.create(file_.string(), true);
    ini.clearSection(SpectralSection);
    writeSpectralSettings(ini, SpectralSection, spectral);
    return ini.flush();
}
