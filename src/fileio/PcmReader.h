#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "fileio/FileReadResult.h"
#include "fileio/InputFile.h"

// Reads `frames` interleaved frames of `channels` (1 or 2) little-endian integer samples at `offset`
// into one float block per channel, values as they are: 1-byte samples unsigned 0..255, 2-byte signed.
// Empty when the file ends early; throws std::bad_alloc.
std::vector<std::unique_ptr<float[]>> readPcmChannels(const InputFile& file, uint64_t offset, uint32_t frames,
                                                      unsigned channels, unsigned bytesPerSample);

// The one signal (kind 15) of `count` signed 16-bit samples at `offset`, as the .bin, .eeg and raw
// files hold them: Invalid for no samples, more than a signal can count, or a file that ends early.
FileReadResult readInt16FileSignal(const InputFile& file, uint64_t offset, uint64_t count, long double sampleRate);
