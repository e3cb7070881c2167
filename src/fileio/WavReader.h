#pragma once
#include <cstdint>
#include <filesystem>

#include "fileio/FileReadResult.h"
#include "fileio/InputFile.h"

// The fields of a RIFF/WAVE file that the reader uses, found by walking its chunks.
struct WavLayout {
    uint16_t format = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint64_t dataOffset = 0;
    uint64_t dataBytes = 0;  // already cut to what the file holds
};

// Walks the chunks from offset 12: `fmt ` and `data` wherever they are, each chunk padded to an even size.
// A file without the RIFF/WAVE signature is NotPcm (another format under a .wav name, for the converter).
FileReadError readWavLayout(const InputFile& file, WavLayout& layout);

// Mono or stereo PCM of 8 bits (values 0..255) or 16 bits (signed), one signal per channel (kind 22).
// A data chunk that claims more than the file holds is read up to the end of the file.
FileReadResult readWavFile(const std::filesystem::path& path);
