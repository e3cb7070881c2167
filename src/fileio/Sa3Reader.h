#pragma once
// Reads the .sa3 data log: four channels of 16-bit records.
#include <filesystem>

#include "fileio/SignalFileReader.h"

// 61 header words, then records of 7 signed 16-bit words of which the first four are channels 0..3 (kind
// 11), in hundredths for channels 0-2 and tenths for channel 3. The rate is asked once the file was opened
// and holds at least one record.
FileReadResult readSa3File(const std::filesystem::path& path, const AskSampleRate& askRate);
