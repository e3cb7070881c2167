#pragma once
// The sound devices of the system, numbered in the order of names().
#include <memory>
#include <string>
#include <vector>

#include "soundcard/PcmFormat.h"
#include "soundcard/SoundStream.h"

// DefaultDevice is the system's default device of that direction. The desktop provides the real ones, tests
// a virtual set.
class SoundDevices {
public:
    static constexpr int DefaultDevice = -1;

    virtual ~SoundDevices() = default;

    virtual std::vector<std::string> names(SoundDirection direction) const = 0;
    // Whether the device accepts the 16-bit PCM format; asks without opening it.
    virtual bool supports(SoundDirection direction, int device, const PcmFormat& format) const = 0;
    // Null when there is no such device or it refuses the format.
    virtual std::unique_ptr<SoundStream> open(SoundDirection direction, int device, const PcmFormat& format) = 0;
};
