#include "dsp/SpectrumOutput.h"

#include <cmath>

#include "dsp/SpectrumKernels.h"

namespace {
constexpr double DegreesPerRadian = 57.29577951289617;
constexpr float Floor = -120.0f;

double power(const float* re, const float* im, std::size_t j)
{
    return double(re[j]) * re[j] + double(im[j]) * im[j];
}
}  // namespace

void spectrumOutput(int32_t show, const float* re, const float* im, std::size_t n, double densityDivisor, float* out)
{
    const double N = 2.0 * double(n);
    switch (show) {
    case SpectrumShow::RealPart:
    case SpectrumShow::Welch:
        for (std::size_t j = 1; j <= n; ++j)
            out[j - 1] = float(re[j] / N);
        break;
    case SpectrumShow::ImaginaryPart:
        for (std::size_t j = 1; j <= n; ++j)
            out[j - 1] = float(im[j] / N);
        break;
    case SpectrumShow::Magnitude:
        // N is a power of two, so multiplying by its reciprocal divides exactly.
        spectrumKernels().magnitudes(re, im, n, 1.0 / N, out);
        break;
    case SpectrumShow::Decibel:
        for (std::size_t j = 1; j <= n; ++j) {
            const float v = float(power(re, im, j) / N);
            out[j - 1] = v > 0 ? float(10 * std::log10(double(v))) : Floor;
        }
        break;
    case SpectrumShow::Phase:
        for (std::size_t j = 1; j <= n; ++j)
            out[j - 1] = re[j] != 0 || im[j] != 0 ? float(std::atan2(double(im[j]), double(re[j])) * DegreesPerRadian) : 0.0f;
        break;
    case SpectrumShow::DecibelToMax:
        // The magnitudes are stored as floats first; the logarithm is a second pass over those.
        spectrumKernels().magnitudes(re, im, n, 2.0 / N, out);
        for (std::size_t j = 0; j < n; ++j)
            out[j] = out[j] > 0 ? float(20 * std::log10(double(out[j]) * 0x1p-15)) : Floor;
        break;
    case SpectrumShow::PowerSpectralDensity:
        for (std::size_t j = 1; j <= n; ++j)
            out[j - 1] = float(re[j] / densityDivisor);
        break;
    default:
        break;
    }
}

const char* spectrumUnit(int32_t show)
{
    switch (show) {
    case SpectrumShow::RealPart: return "Real part";
    case SpectrumShow::ImaginaryPart: return "Imaginary part";
    case SpectrumShow::Magnitude: return "Magnitude";
    // 10 log10((re² + im²) / N): 20 log10 of the magnitude plus 10 log10(N).
    case SpectrumShow::Decibel: return "dB (re 1/sqrt(N))";
    case SpectrumShow::Phase: return "Phase (degrees)";
    // 0 dB is a magnitude of 16384, a sine of half the 16-bit full scale.
    case SpectrumShow::DecibelToMax: return "dB (re 16384)";
    case SpectrumShow::PowerSpectralDensity: return "PSD (per Hz)";
    case SpectrumShow::Welch: return "Power (Welch)";
    default: return "";
    }
}
