#pragma once
// Reads a RIFF/WAVE or RF64 file: one signal per channel (kind 22).
#include <filesystem>

#include "fileio/FileReadResult.h"

// Integer PCM (8 bits unsigned 0..255, 16, 24 or 32 bits signed, each sample its integer value) or IEEE
// float, any number of channels. A data chunk that claims more than the file holds is read up to the end of
// the file.
FileReadResult readWavFile(const std::filesystem::path& path);
