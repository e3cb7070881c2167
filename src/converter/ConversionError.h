#pragma once
// The failure codes of the "Error: %i" line; the main program only checks for a usable output file.

namespace ConversionError {
constexpr int None = 0;
constexpr int CannotOpen = -1;      // the input cannot be opened (missing, unreadable, unknown format)
constexpr int NothingToRead = -10;  // it opens but yields nothing to read
constexpr int NoStream = -2;        // no stream at all
constexpr int NoDecoder = -3;       // no decoder for its audio
constexpr int NoAudio = -4;         // streams, but none of them audio
constexpr int CannotWrite = -5;     // the WAV file cannot be written
}  // namespace ConversionError
