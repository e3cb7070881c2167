#pragma once
// Kind codes of signals and windows; stored in workspace files as `Type`, so the values are fixed.
#include <cstdint>

namespace SignalKind {
constexpr int32_t StackedOverlay = -4;
constexpr int32_t Overlay = -3;
constexpr int32_t ExtractedPart = 1;
constexpr int32_t Spectrum = 2;
constexpr int32_t Filtered = 3;
constexpr int32_t ExtractedFromTo = 5;
constexpr int32_t Generated = 6;
constexpr int32_t Cepstrum = 7;
constexpr int32_t Acquisition = 8;
constexpr int32_t Track = 9;
constexpr int32_t Sa3Channel = 11;
constexpr int32_t Smoothed = 12;
constexpr int32_t Detrended = 13;
constexpr int32_t PeaksRemoved = 14;
constexpr int32_t FileSignal = 15;
constexpr int32_t Averager = 16;
constexpr int32_t XRuler = 20;
constexpr int32_t YRuler = 21;
constexpr int32_t WavChannel = 22;
constexpr int32_t PeakHold = 23;
constexpr int32_t AsciiColumn = 24;
constexpr int32_t Calculator = 51;
constexpr int32_t TimeFFT = 151;
constexpr int32_t Picture = 152;
constexpr int32_t SignalLog3D = 153;

// The families of kinds, each a band of codes. The bands are defined here and nowhere else.
enum class Family { None, Overlay, Signal, Instrument, ThreeD };

constexpr Family familyOf(int32_t kind)
{
    if (kind < 0)
        return Family::Overlay;
    if (kind >= 1 && kind <= 69)
        return Family::Signal;
    if (kind >= 70 && kind <= 85)
        return Family::Instrument;
    if (kind >= 150 && kind <= 160)
        return Family::ThreeD;
    return Family::None;
}

constexpr bool isSignalWindow(int32_t kind) { return familyOf(kind) == Family::Signal; }
constexpr bool isInstrument(int32_t kind) { return familyOf(kind) == Family::Instrument; }
constexpr bool is3D(int32_t kind) { return familyOf(kind) == Family::ThreeD; }
constexpr bool isOverlay(int32_t kind) { return familyOf(kind) == Family::Overlay; }
}  // namespace SignalKind
