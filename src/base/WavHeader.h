#pragma once
// The canonical 44-byte header of a 16-bit PCM WAV file.
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

// Header-only, so the converter, which links nothing of the program's libraries, writes the same bytes as
// the program.
struct WavHeader {
    static constexpr uint32_t Bytes = 44;
    // The RIFF size field counts everything after its own 8 bytes in 32 bits.
    static constexpr uint64_t MaxDataBytes = std::numeric_limits<uint32_t>::max() - (Bytes - 8);

    // `dataBytes` at most MaxDataBytes, and sampleRate × 2 × channels within 32 bits.
    static std::array<uint8_t, Bytes> pcm16(uint32_t channels, uint32_t sampleRate, uint32_t dataBytes)
    {
        const uint32_t blockAlign = 2 * channels;
        std::array<uint8_t, Bytes> header{};
        uint8_t* p = header.data();
        std::memcpy(p, "RIFF", 4);
        put32(p + 4, dataBytes + (Bytes - 8));
        std::memcpy(p + 8, "WAVEfmt ", 8);
        put32(p + 16, 16);
        put16(p + 20, 1);
        put16(p + 22, channels);
        put32(p + 24, sampleRate);
        put32(p + 28, sampleRate * blockAlign);
        put16(p + 32, blockAlign);
        put16(p + 34, 16);
        std::memcpy(p + 36, "data", 4);
        put32(p + 40, dataBytes);
        return header;
    }

private:
    static void put16(uint8_t* p, uint32_t value)
    {
        p[0] = uint8_t(value);
        p[1] = uint8_t(value >> 8);
    }
    static void put32(uint8_t* p, uint32_t value)
    {
        put16(p, value & 0xffff);
        put16(p + 2, value >> 16);
    }
};
