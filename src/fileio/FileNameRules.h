#pragma once
// What a file's extension decides: the reader that opens it and the writer that saves it.
#include <filesystem>
#include <string>

// Which reader the open routine hands a file to, by its extension in any case.
enum class OpenRoute {
    Sa3,         // .sa3: four channel windows
    Wav,         // .wav: the WAV reader (non-PCM files then go to the converter)
    SignalFile,  // .bin, .eeg, .raw: the signal-file reader
    Converter,   // anything else
};
OpenRoute openRouteFor(const std::filesystem::path& path);

// The save dialog of "save as": WAV is offered only for a whole-number rate, since its header holds
// an integer rate.
struct SaveAsDialogChoice {
    std::string filter;
    std::string defaultExtension;
};
SaveAsDialogChoice saveAsDialogChoice(long double sampleRate);

// The writer for a chosen name, by its extension in any case; None writes nothing.
enum class SaveFormat { None, Wav, Bin };
SaveFormat saveFormatFor(const std::filesystem::path& path);
