#pragma once
// Decodes the first audio stream of `input` into a 16-bit PCM WAV file at `output`.
#include <filesystem>
#include <string>

// The rate of its first decoded frame, one or two channels as they are, more mixed down to two. Returns a
// ConversionError code; on failure no output file exists.
int convertToWav(const std::string& input, const std::filesystem::path& output);
