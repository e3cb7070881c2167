#pragma once
#include <memory>
#include <string_view>
#include <vector>

#include "signal/Signal.h"

enum class FileReadError {
    None,
    CannotOpen,     // missing, unreadable or not a regular file: skipped without a message
    NotPcm,         // a .wav file of a coding the reader does not know: the caller hands it to the converter
    WavChannels,    // a WAV file of no channels
    WavSampleSize,  // a WAV block align that is not channels × sample bytes, or integers wider than 4 bytes
    WavOther,       // any other failure of a WAV read, including a failed allocation
    Invalid,        // a truncated or hostile .bin/.eeg/raw/.sa3 file
    Cancelled,      // the sample rate question was cancelled
    OutOfMemory,    // a .bin/.eeg/raw/.sa3 read could not allocate its samples
};

// The channel signals of one file (one for every format but .sa3 and multichannel WAV), or why there are none.
struct FileReadResult {
    FileReadError error = FileReadError::None;
    std::vector<std::unique_ptr<Signal>> signals;

    bool ok() const { return error == FileReadError::None; }
};

// The message box text for an error; empty where the open routine shows no message.
std::string_view fileReadErrorMessage(FileReadError error);

// A sample rate that every X computation can divide by and whose sample spacing is finite in double precision.
bool isUsableSampleRate(long double rate);
