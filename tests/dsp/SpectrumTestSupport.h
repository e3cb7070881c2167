#pragma once
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "dsp/SpectralSettings.h"
#include "dsp/TapWindow.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/SpectrumSignal.h"

// Magnitude output with every conditioning step, taper, smoothing and averaging off: the built-in
// defaults without their taper.
inline SpectralSettings plainSettings()
{
    SpectralSettings s = builtInSpectralDefaults({});
    s.doTaper = 0;
    return s;
}

// amplitude × sin(2π × bin × i / period) for i < count.
inline std::vector<float> sine(std::size_t count, double amplitude, double bin, double period)
{
    std::vector<float> x(count);
    for (std::size_t i = 0; i < count; ++i)
        x[i] = float(amplitude * std::sin(2 * std::numbers::pi * bin * double(i) / period));
    return x;
}

// A spectrum with no owner; the test fails when none is made.
struct SpectrumFixture {
    TapWindow tap;
    std::unique_ptr<Signal> signal;

    SpectrumSignal& make(const SpectralSettings& s, const std::vector<float>& x, long double rate = 8000)
    {
        signal = SpectrumSignal::create(nullptr, s, x.data(), uint32_t(x.size()), rate, tap);
        return static_cast<SpectrumSignal&>(*signal);
    }
    std::vector<float> values() const { return {signal->samples(), signal->samples() + signal->count()}; }
};
