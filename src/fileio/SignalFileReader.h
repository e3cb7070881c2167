#pragma once
// Reads the program's signal files: .bin, .eeg, and raw 16-bit files at a rate the person gives.
#include <filesystem>
#include <functional>
#include <optional>

#include "fileio/FileReadResult.h"

// Asks the person for a sample rate (the "Sample rate" dialog); nothing when it was cancelled.
using AskSampleRate = std::function<std::optional<long double>()>;

// The signal-file reader: the variant by the last four characters of the name, compared exactly
// with ".BIN", ".bin" (.bin file) and ".EEG", ".eeg" (.eeg file); any other ending is a raw file.
// `askRate` is called only for a raw file, and only once it was opened and holds samples.
FileReadResult readSignalFile(const std::filesystem::path& path, const AskSampleRate& askRate);

// 256-byte header whose signed 16-bit word at offset 202 is the rate in hertz, then signed 16-bit
// samples. A rate of 0 or below cannot place the samples in time and is Invalid, as is a shorter file.
FileReadResult readEegFile(const std::filesystem::path& path);

// The whole file as signed 16-bit samples, at the rate the person gives.
FileReadResult readRawFile(const std::filesystem::path& path, const AskSampleRate& askRate);

// The asked rate, or why the read ends: Cancelled, or Invalid for a rate that cannot be used.
std::optional<FileReadResult> askUsableRate(const AskSampleRate& askRate, long double& rate);
