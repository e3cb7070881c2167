#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "dsp/SpectrumPipeline.h"
#include "instruments/InstrumentSettingsIni.h"
#include "settings/DefaultsFile.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "soundcard/AcquisitionSettingsIni.h"
#include "soundcard/CalibrationData.h"

namespace {
// Spectral settings as read go straight into the windows' computation, so they are put through it.
void computeWith(const SpectralSettings& settings)
{
    static const std::vector<float> samples = [] {
        std::vector<float> v(256);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = float(std::sin(0.3 * double(i)) + (i % 7 == 0 ? 4 : 0));
        return v;
    }();
    SpectrumPipeline pipeline;
    TapWindow tap;
    pipeline.build(settings, uint32_t(samples.size()));
    for (int run = 0; run < 3; ++run)
        static_cast<void>(pipeline.run(settings, samples.data(), 1000, tap));
}
}  // namespace

// Every reader of a settings section (spectral, acquisition, instrument, calibration), on every
// section the file holds and on the sections of the defaults and calibration files.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".ini");
    const auto& path = file.write(data, size);
    std::vector<std::string> sections = PrivateProfile(path).sectionNames();
    if (sections.size() > 4)
        sections.resize(4);
    for (const char* fixed : {DefaultsFile::SpectralSection, "Data acquisition defaults", CalibrationData::Section})
        sections.emplace_back(fixed);

    computeWith(DefaultsFile(path).readSpectral());
    const TIniHelper ini(path.string());
    for (const std::string& section : sections) {
        static_cast<void>(readAcquisitionDefaults(ini, section));
        static_cast<void>(readAcquisitionWindow(ini, section, 1000));
        static_cast<void>(readAcquisitionWindow(ini, section, 8000.5L));
        static_cast<void>(readInstrumentSettings(ini, section, InstrumentSettings::forKind(0)));
    }
    const CalibrationData calibration = CalibrationData::read(path);
    for (int channel = 0; channel < 2; ++channel)
        for (const int16_t raw : {int16_t(-32768), int16_t(0), int16_t(32767)})
            static_cast<void>(calibration.convert(raw, channel));
    return 0;
}
