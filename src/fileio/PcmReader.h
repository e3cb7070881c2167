#pragma once
// Reads interleaved PCM frames into one signal per channel, values as they are.
#include <cstdint>
#include <memory>
#include <vector>

#include "fileio/FileReadResult.h"
#include "fileio/InputFile.h"
#include "fileio/PcmFormat.h"

// `frames` frames of `format` at `offset`, one signal of `kind` per channel: integers of 1 to 4 bytes keep
// their integer value (1-byte ones unsigned), floats of 4 bytes are copied and those of 8 rounded. Empty
// when the file ends early; throws std::bad_alloc.
std::vector<std::unique_ptr<Signal>> readPcmSignals(const InputFile& file, uint64_t offset, uint32_t frames,
                                                    const PcmFormat& format, int32_t kind, long double sampleRate);

// The one signal (kind 15) of `count` signed 16-bit samples at `offset`, as the .bin, .eeg and raw
// files hold them: Invalid, with its reason, for no samples, more than a signal can count, or a file that
// ends early.
FileReadResult readInt16FileSignal(const InputFile& file, uint64_t offset, uint64_t count, long double sampleRate);
