#include "soundcard/CalibrationData.h"

#include "base/UiServices.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramPaths.h"
#include "settings/TIniHelper.h"

namespace {
constexpr double FullScale = 32767;
constexpr double RmsOfPeak = 0.707;
}  // namespace

double CalibrationData::gain(int channel) const
{
    if (channel < 0 || channel >= int(inputLevels.size()) || inputLevels[channel] == 0)
        return 1;
    const double level = inputLevels[channel] * 0.01 * FullScale;
    switch (type) {
    case Peak:
        return calibrationLevel / level;
    case Rms:
        return calibrationLevel / (level * RmsOfPeak);
    default:
        return 1;
    }
}

CalibrationData CalibrationData::read(const std::filesystem::path& file)
{
    const TIniHelper ini(file.string());
    CalibrationData data;
    data.inputLevels = {ini.readDouble(Section, "InputLevel1"), ini.readDouble(Section, "InputLevel2")};
    data.calibrationLevel = ini.readDouble(Section, "CalLevel");
    data.offset = ini.readDouble(Section, "Offset");
    data.type = static_cast<int32_t>(ini.readLong(Section, "Type"));
    data.units = ini.readText(Section, "Units");
    return data;
}

bool CalibrationData::write(const std::filesystem::path& file) const
{
    TIniHelper ini(file.string());
    ini.writeDouble(Section, "InputLevel1", inputLevels[0]);
    ini.writeDouble(Section, "InputLevel2", inputLevels[1]);
    ini.writeDouble(Section, "CalLevel", calibrationLevel);
    ini.writeDouble(Section, "Offset", offset);
    ini.writeInt(Section, "Type", type);
    ini.writeText(Section, "Units", units);
    return ini.flush();
}

std::filesystem::path CalibrationData::file(const ProgramPaths& paths, const std::string& fileName)
{
    return paths.readFile(FolderName, fileName);
}

CalibrationData CalibrationData::loadForAcquisition(UiServices& ui, const ProgramPaths& paths,
                                                    const std::string& fileName)
{
    std::filesystem::path named = file(paths, fileName);
    if (fileName.empty() || !canOpen(named)) {
        if (fileName.size() > 1)
            ui.messageBox("Calibration file not found! Default calibration file will be used.", "Marlune");
        named = file(paths, DefaultFile);
    }
    return read(named);
}

bool CalibrationData::canOpen(const std::filesystem::path& file)
{
    return PrivateProfile::readable(file);
}
