#pragma once
#include <filesystem>
#include <string>

// Decodes the first audio stream of `input` into a 16-bit PCM WAV file at `output`: the source's rate,
// its channels up to two. Returns a ConversionError code; on failure no output file exists.
int convertToWav(const std::string& input, const std::filesystem::path& output);
