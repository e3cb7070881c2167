#pragma once
// Writes a 16-bit PCM WAV file with the canonical 44-byte header.
#include <cstdint>
#include <filesystem>
#include <span>

#include "base/ReplacingFile.h"

// The samples go to the program's replacing file (a temporary beside the target, synced and renamed by
// commit()): a failed run leaves nothing behind, a link keeps pointing at the new file and the old file's
// permissions stay.
class WavFileWriter {
public:
    WavFileWriter(const std::filesystem::path& target, int channels, uint32_t sampleRate);

    bool isOpen() const { return file_.isOpen() && !failed_; }
    // Interleaved samples; false when the file cannot take them.
    bool write(std::span<const int16_t> samples);
    uint64_t frames() const { return dataBytes_ / (2 * uint64_t(channels_)); }
    // Completes the header and gives the file its name; false when that fails (and the file is gone).
    bool commit();

private:
    bool writeHeader();

    ReplacingFile file_;
    int channels_;
    uint32_t sampleRate_;
    uint64_t dataBytes_ = 0;
    bool failed_ = false;
};
