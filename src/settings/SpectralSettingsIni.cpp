#include "settings/SpectralSettingsIni.h"

#include <array>
#include <utility>

#include "dsp/SpectrumOutput.h"
#include "dsp/TapWindow.h"
#include "settings/TIniHelper.h"

namespace {
using Field = int32_t SpectralSettings::*;

// Every key with its field, in the order the keys are written.
constexpr std::array<std::pair<const char*, Field>, 17> Keys{{
    {"FFT_DoNormalize", &SpectralSettings::doNormalize},
    {"FFT_DoRemoveLinTrend", &SpectralSettings::doRemoveLinTrend},
    {"FFT_RemovePeaksVal", &SpectralSettings::removePeaksVal},
    {"FFT_DoRemovePeaks", &SpectralSettings::doRemovePeaks},
    {"FFT_DoTaper", &SpectralSettings::doTaper},
    {"FFT_TaperVal", &SpectralSettings::taperVal},
    {"FFT_DoExpandWithZeros", &SpectralSettings::doExpandWithZeros},
    {"FFT_ExpandWithZerosVal", &SpectralSettings::expandWithZerosVal},
    {"FFT_Show", &SpectralSettings::show},
    {"FFT_DoSmooth", &SpectralSettings::doSmooth},
    {"FFT_SmoothWindow", &SpectralSettings::smoothWindow},
    {"FFT_Window", &SpectralSettings::window},
    {"FFT_SmoothLen", &SpectralSettings::smoothLen},
    {"FFT_DoTestPeaks", &SpectralSettings::doTestPeaks},
    {"FFT_TestPeaksLevel", &SpectralSettings::testPeaksLevel},
    {"FFT_Type", &SpectralSettings::type},
    {"FFT_Average", &SpectralSettings::average},
}};
}  // namespace

void writeSpectralSettings(TIniHelper& ini, const std::string& section, const SpectralSettings& s)
{
    for (const auto& [key, field] : Keys)
        ini.writeInt(section, key, s.*field);
}

SpectralSettings readSpectralSettings(const TIniHelper& ini, const std::string& section)
{
    SpectralSettings s;
    for (const auto& [key, field] : Keys)
        s.*field = ini.readInt(section, key);
    return s;
}

SpectralSettings builtInSpectralDefaults(const SpectralSettings& read)
{
    SpectralSettings s;
    s.removePeaksVal = 2;
    s.taperVal = 20;
    s.doTaper = 1;
    s.show = SpectrumShow::Magnitude;
    s.smoothWindow = TapWindow::Rectangle;
    s.smoothLen = 15;
    s.testPeaksLevel = 5;
    s.window = TapWindow::Hanning;
    s.type = read.type;
    s.average = read.average;
    return s;
}
