#pragma once
// The fields of a RIFF/WAVE or RF64 file that the reader uses, found by walking its chunks.
#include <cstdint>

#include "fileio/FileReadResult.h"
#include "fileio/InputFile.h"
#include "fileio/PcmFormat.h"

struct WavLayout {
    PcmFormat format;
    uint32_t sampleRate = 0;
    uint64_t dataOffset = 0;
    uint64_t dataBytes = 0;  // already cut to what the file holds
};

// Walks the chunks from offset 12: `fmt ` and `data` wherever they are, each chunk padded to an even size;
// in an RF64 file the `ds64` chunk gives the data size that does not fit the data chunk's 32 bits.
// Integer PCM of 1 to 4 bytes a sample and IEEE float of 4 or 8 bytes are read, in the plain or the
// extensible format. A file without the RIFF/WAVE signature, or any other coding, is NotPcm (for the
// converter); no channels is WavChannels, a block align other than channels × sample bytes WavSampleSize;
// more valid bits than a sample's container holds is WavOther, and a count of 0 means the whole container.
FileReadError readWavLayout(const InputFile& file, WavLayout& layout);
