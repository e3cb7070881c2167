#include "dsp/CrossSpectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/RealTransformPair.h"
#include "dsp/SpectrumConditioning.h"
#include "dsp/SpectrumOutput.h"
#include "dsp/Statistics.h"
#include "dsp/TapWindow.h"

namespace {
constexpr double Floor = -120;
constexpr double DegreesPerRadian = 57.29577951308232;

// Bins 0 … m of one conditioned block: re and im copied out of the transform.
struct Bins {
    std::vector<float> re;
    std::vector<float> im;
};

Bins transformed(const float* values, std::size_t c, const SpectralSettings& settings, bool taper,
                 RealTransformPair& transform)
{
    std::vector<float> work(values, values + c);
    if (settings.doRemoveLinTrend)
        removeLinearTrend(work.data(), c);
    if (settings.doRemovePeaks)
        removePeaks(work.data(), c, settings.removePeaksVal);
    const bool centre = settings.doNormalize || settings.doTaper;
    const double offset = centre ? double(mean(work.data(), c)) : 0.0;
    TapWindow window;
    if (taper)
        window.set(settings.window, uint32_t(c), false);
    const std::size_t m = transform.points();
    packConditioned(work.data(), c, offset, taper ? window.values() : nullptr, transform.re(), transform.im(), m);
    transform.forward();
    return {{transform.re(), transform.re() + m + 1}, {transform.im(), transform.im() + m + 1}};
}

void smoothed(std::vector<float>& values, int32_t type, int32_t length)
{
    TapWindow kernel;
    kernel.setSmoothing(type, length, uint32_t(values.size()));
    std::vector<float> out(values.size());
    kernel.smooth(values.data(), out.data(), uint32_t(values.size()));
    values.swap(out);
}

double decibels(double power)
{
    return power > 0 ? 10 * std::log10(power) : Floor;
}
}  // namespace

const char* CrossSpectrum::unit(char code, const SpectralSettings& settings)
{
    switch (code) {
    // |X| |Y|, or 10 log10 of it: the two magnitudes' dB added and halved.
    case 'S': return settings.show == SpectrumShow::Decibel ? "Cross spectrum (dB)" : "Cross spectrum";
    // 10 log10(|X|² / |Y|²): the first signal in dB relative to the second.
    case 'D': return "dBr (x re y)";
    case 'C': return "Coherence (0 ... 1)";
    // |X| |Y| / |X|²: the second signal's magnitude over the first's.
    case 'G': return "Gain (y / x)";
    case 'P': return "Phase (degrees)";
    default: return "";
    }
}

std::size_t CrossSpectrum::outputCount(std::size_t xCount, std::size_t yCount)
{
    const std::size_t c = std::min(xCount, yCount);
    return c < 3 ? 0 : powerOfTwoAtLeast(c) / 2;
}

std::size_t CrossSpectrum::compute(char code, const float* x, std::size_t xCount, const float* y, std::size_t yCount,
                                   const SpectralSettings& settings, float* out)
{
    const std::size_t m = outputCount(xCount, yCount);
    if (m == 0)
        return 0;
    const std::size_t c = std::min(xCount, yCount);
    // A taper would distort the phase, so the phase shift is computed without one.
    const bool taper = settings.doTaper && code != 'P';
    RealTransformPair transform(m);
    const Bins X = transformed(x, c, settings, taper, transform);
    const Bins Y = transformed(y, c, settings, taper, transform);

    std::vector<float> P(m), Q(m), Sx(m), Sy(m);
    for (std::size_t k = 1; k <= m; ++k) {
        const double xr = X.re[k], xi = X.im[k], yr = Y.re[k], yi = Y.im[k];
        P[k - 1] = float(xr * yr + xi * yi);
        Q[k - 1] = float(xi * yr - xr * yi);
        Sx[k - 1] = float(xr * xr + xi * xi);
        Sy[k - 1] = float(yr * yr + yi * yi);
    }
    if (code == 'C')
        for (std::vector<float>* values : {&P, &Q, &Sx, &Sy})
            smoothed(*values, TapWindow::Hamming, settings.smoothLen);

    std::vector<float> result(m);
    for (std::size_t k = 0; k < m; ++k) {
        const double p = P[k], q = Q[k], sx = Sx[k], sy = Sy[k];
        const double cross = p * p + q * q;
        double value = 0;
        switch (code) {
        case 'S':
            value = std::sqrt(cross);
            if (settings.show == SpectrumShow::Decibel)
                value = std::max(decibels(value), Floor);
            break;
        case 'D':
            value = sy != 0 ? decibels(sx / sy) : Floor;
            break;
        case 'C':
            value = sx != 0 && sy != 0 ? cross / (sx * sy) : 0;
            break;
        case 'G':
            value = sx != 0 ? std::sqrt(cross) / sx : 0;
            break;
        case 'P':
            value = p != 0 || q != 0 ? std::atan2(q, p) * DegreesPerRadian : 0;
            break;
        default:
            break;
        }
        result[k] = float(value);
    }
    if (settings.doSmooth)
        smoothed(result, settings.smoothWindow, settings.smoothLen);
    std::copy(result.begin(), result.end(), out);
    return m;
}
