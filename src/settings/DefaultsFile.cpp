#include "settings/DefaultsFile.h"

#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"

DefaultsFile DefaultsFile::locate(const ProgramPaths& paths)
{
    return DefaultsFile(paths.readFile("", FileName), paths.writableFolder("") / FileName);
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
