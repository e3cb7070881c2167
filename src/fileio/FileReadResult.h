#pragma once
// What a file reader gives: the channel signals of one file, or why there are none.
#include <memory>
#include <string>
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

// There is one signal for every format but .sa3 and multichannel WAV.
struct FileReadResult {
    FileReadError error = FileReadError::None;
    std::vector<std::unique_ptr<Signal>> signals;
    // What is wrong with an Invalid file, a sentence for the person who opened it.
    std::string reason = {};
    // How the file stores a sample ("16-bit integers", "32-bit floats"), for the window's properties.
    std::string sampleCoding = {};

    bool ok() const { return error == FileReadError::None; }
};

// Why a .bin, .eeg, raw, .sa3 file or an ASCII table is refused.
namespace RefusalReason {
inline constexpr const char* ShortHeader = "The file is shorter than its header.";
inline constexpr const char* NoSamples = "The file holds no samples.";
inline constexpr const char* CutShort = "The file ends before its samples do.";
inline constexpr const char* TooManySamples = "The file holds more samples than a signal can count.";
inline constexpr const char* TooManyCells = "The table has more cells than its size can hold.";
}  // namespace RefusalReason

// An Invalid result with its reason.
FileReadResult invalidFile(std::string reason);
// An Invalid result for a sample rate that isUsableSampleRate refuses, the rate named in the reason.
FileReadResult unusableRate(long double rate);

// The message box text for an error; empty where the open routine shows no message.
std::string_view fileReadErrorMessage(FileReadError error);
// The message box text for an Invalid file: its name and the reason.
std::string invalidFileMessage(const std::string& fileName, const std::string& reason);

// A sample rate that every X computation can divide by and whose sample spacing is finite in double precision.
bool isUsableSampleRate(long double rate);
