#pragma once
// Turns a transform's results into the quantity a spectrum shows.
#include <cstddef>
#include <cstdint>

// The output quantities a spectrum can show, in the order of the settings.
namespace SpectrumShow {
constexpr int32_t RealPart = 0;
constexpr int32_t ImaginaryPart = 1;
constexpr int32_t Magnitude = 2;
constexpr int32_t Decibel = 3;
constexpr int32_t Phase = 4;
constexpr int32_t DecibelToMax = 5;
constexpr int32_t PowerSpectralDensity = 6;
constexpr int32_t Welch = 7;

constexpr bool isSegmentAveraged(int32_t show) { return show == PowerSpectralDensity || show == Welch; }
}  // namespace SpectrumShow

// The Y axis title of a spectrum of output `show` (at most 19 characters, as labels are stored): the
// quantity and its unit. The help says what the two dB forms are relative to.
const char* spectrumUnit(int32_t show);

// Bins 1 … n of the output quantity `show` into out[0 … n − 1], from the real-split results
// re[0 … n], im[0 … n] of a transform of N = 2n real samples. For the segment-averaged outputs re
// holds the averaged magnitudes and `densityDivisor` is the PSD's N × (rate / L) × g.
void spectrumOutput(int32_t show, const float* re, const float* im, std::size_t n, double densityDivisor, float* out);
