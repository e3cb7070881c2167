#pragma once
// A section of "defaults.ini" kept by a subsystem above the settings layer.
#include <string>

class TIniHelper;

// The defaults file reads it when the client starts and writes it, after the spectral section, when the
// client ends.
class DefaultsSection {
public:
    virtual ~DefaultsSection() = default;
    virtual std::string sectionName() const = 0;
    virtual void read(const TIniHelper& ini) = 0;
    // Writes the keys into the emptied section.
    virtual void write(TIniHelper& ini) const = 0;
};
