#pragma once
// What the open routine found out about a window's file, for its "Properties...".
#include <cstddef>
#include <string>

struct FileFacts {
    // The file type's name in the Open dialog, "Audio for Windows (.WAV)"; empty when not read from a file.
    std::string format;
    // How the file stores a sample; a converted file says what the converter decoded it to.
    std::string sampleCoding;
    std::size_t channels = 0;
};
