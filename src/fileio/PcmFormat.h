#pragma once
// How the samples of interleaved little-endian frames are stored.
#include <cstdint>
#include <string>

// `channels` samples a frame, each in a container of `containerBytes`.
struct PcmFormat {
    enum class Coding {
        Integer,  // 1-byte containers unsigned (0..255), wider ones signed
        Float,    // IEEE float of 4 or 8 bytes
    };

    Coding coding = Coding::Integer;
    unsigned channels = 1;
    unsigned containerBytes = 2;
    // An integer sample's significant bits, the high ones of its container: the value is the container's
    // shifted right by the bits left over.
    unsigned validBits = 16;

    unsigned frameBytes() const { return channels * containerBytes; }
    // "16-bit integers", "8-bit unsigned integers", "32-bit floats": what a sample is, for a person.
    std::string description() const
    {
        if (coding == Coding::Float)
            return std::to_string(8 * containerBytes) + "-bit floats";
        return std::to_string(validBits) + (containerBytes == 1 ? "-bit unsigned integers" : "-bit integers");
    }
    unsigned unusedBits() const { return 8 * containerBytes - validBits; }
};
