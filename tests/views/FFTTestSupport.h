#pragma once
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "dsp/SpectralSettings.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/Noise.h"

// A file signal of these samples at `rate` Hz, no owner.
inline std::unique_ptr<Signal> parentOf(const std::vector<float>& x, long double rate = 8000)
{
    return std::make_unique<Signal>(nullptr, SignalKind::ExtractedPart, x.data(), uint32_t(x.size()), rate);
}

// Magnitude output, Hanning taper (so the mean is removed too), nothing else.
inline SpectralSettings hanningMagnitude()
{
    return builtInSpectralDefaults({});
}

// Magnitude output without taper or any conditioning.
inline SpectralSettings plainMagnitude()
{
    SpectralSettings s = builtInSpectralDefaults({});
    s.doTaper = 0;
    return s;
}
