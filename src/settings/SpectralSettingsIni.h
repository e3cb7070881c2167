#pragma once
// The 17 FFT_ keys of a SpectralSettings record under one section, as "%i" integers in their stored order.
#include <string>

#include "dsp/SpectralSettings.h"

class TIniHelper;

void writeSpectralSettings(TIniHelper& ini, const std::string& section, const SpectralSettings& s);
// A missing key reads as 0.
SpectralSettings readSpectralSettings(const TIniHelper& ini, const std::string& section);
// The built-in defaults, used when the test level reads 0: fifteen fields replaced, the spectrum
// type and the number of averages kept from `read`.
SpectralSettings builtInSpectralDefaults(const SpectralSettings& read);
