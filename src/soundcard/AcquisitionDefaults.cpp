#include "soundcard/AcquisitionDefaults.h"

#include "soundcard/AcquisitionSettingsIni.h"

void AcquisitionDefaults::read(const TIniHelper& ini)
{
    settings = readAcquisitionDefaults(ini, Section);
}

void AcquisitionDefaults::write(TIniHelper& ini) const
{
    writeAcquisitionDefaults(ini, Section, settings);
}
