#pragma once
// Writes a signal's visible range as a mono 16-bit PCM WAV file.
#include <cstdint>
#include <filesystem>

#include "signal/Signal.h"

// How the WAV writer maps samples to 16 bits: a signal within ±32768 keeps its values, a wider one
// is centred on the middle of its range and scaled to fill the 16-bit range, and one that is narrow
// enough but offset (0 ... 40000) is centred only.
struct WavScaling {
    double gain = 1;
    double offset = 0;

    static WavScaling forSamples(const float* samples, uint32_t count);
    // The truncated (sample - offset) × gain, saturated to 16 bits (the top of a scaled range,
    // +32768, becomes 32767); NaN becomes 0.
    int16_t convert(float sample) const;
};

// A mono 16-bit PCM file with a 44-byte header, holding the visible range of `signal` at its rate
// truncated to an integer. False when the file cannot be written or the rate does not fit the header.
[[nodiscard]] bool writeWavFile(const std::filesystem::path& path, const Signal& signal);
