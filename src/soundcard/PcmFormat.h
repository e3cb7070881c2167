#pragma once
// A 16-bit PCM format: interleaved frames of `channels` signed samples at `sampleRate` frames per second.
#include <cstdint>

struct PcmFormat {
    int32_t channels = 1;
    int32_t sampleRate = 0;

    int32_t bytesPerFrame() const { return 2 * channels; }
    int32_t bytesPerSecond() const { return bytesPerFrame() * sampleRate; }
    bool operator==(const PcmFormat&) const = default;
};

enum class SoundDirection { Input, Output };
