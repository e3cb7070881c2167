#pragma once
// Writes the visible range with the writer that the name's extension selects (.wav or .bin, any case).
#include <filesystem>

#include "signal/Signal.h"

// False when the extension selects none or the file cannot be written.
[[nodiscard]] bool writeSignalFile(const std::filesystem::path& path, const Signal& signal);
