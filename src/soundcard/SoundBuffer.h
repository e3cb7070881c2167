#pragma once
// One block handed to a sound stream.
#include <cstddef>
#include <cstdint>
#include <vector>

// Its owner sizes `samples` (interleaved frames) before queueing it; the stream gives it back, whole, in
// the buffer-done notification.
struct SoundBuffer {
    std::vector<int16_t> samples;
    // Samples the device filled (input) or played (output); all of them unless the buffer was aborted.
    std::size_t done = 0;
    // The owner's tag, untouched by the stream.
    long user = 0;
    // Given back by reset or close before the device filled or played it completely.
    bool aborted = false;
    // Given back, aborted, because the device stopped working (its sound server went away); the stream
    // gives back everything queued then or later so, and records or plays nothing more.
    bool failed = false;
    // Input: samples the device recorded but had to discard just before this buffer, finding none queued.
    std::size_t lostBefore = 0;

    SoundBuffer() = default;
    SoundBuffer(std::size_t sampleCount, long tag) : samples(sampleCount), user(tag) {}

    // Marks the buffer as given back by a device that stopped working.
    void markFailed()
    {
        aborted = true;
        failed = true;
    }
};
