#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

// Writes a 16-bit PCM WAV file with the canonical 44-byte header. The samples go to a temporary
// file in the target's folder, renamed to the target by commit(): a failed run leaves nothing behind.
class WavFileWriter {
public:
    WavFileWriter(const std::filesystem::path& target, int channels, uint32_t sampleRate);
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Interleaved samples; false when the file cannot take them.
    bool write(std::span<const int16_t> samples);
    uint64_t frames() const { return dataBytes_ / (2 * uint64_t(channels_)); }
    // Completes the header and gives the file its name; false when that fails (and the file is gone).
    bool commit();

private:
    bool writeHeader();
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    int channels_;
    uint32_t sampleRate_;
    uint64_t dataBytes_ = 0;
};
