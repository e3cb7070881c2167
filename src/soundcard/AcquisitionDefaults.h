#pragma once
// The application-wide acquisition settings, kept in "defaults.ini" under "Data acquisition defaults".
#include "settings/DefaultsSection.h"
#include "soundcard/AcquisitionSettings.h"

class AcquisitionDefaults : public DefaultsSection {
public:
    static constexpr const char* Section = "Data acquisition defaults";

    AcquisitionSettings settings;

    std::string sectionName() const override { return Section; }
    void read(const TIniHelper& ini) override;
    void write(TIniHelper& ini) const override;
};
