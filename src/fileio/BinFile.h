#pragma once
// The program's own .bin signal file.
#include <filesystem>

#include "fileio/FileReadResult.h"

// The float variant starts with the 16-bit words 1, 1, then the sample rate as a 10-byte extended value and
// 32-bit float samples; any other start is the legacy variant: words a, b, c giving the rate, then signed
// 16-bit samples.
FileReadResult readBinFile(const std::filesystem::path& path);

// The legacy variant's sample rate from its first three words.
uint32_t legacyBinSampleRate(uint16_t a, uint16_t b, uint16_t c);

// Writes the float variant with the visible range of `signal`; false when the file cannot be written.
[[nodiscard]] bool writeBinFile(const std::filesystem::path& path, const Signal& signal);
