#pragma once
// One text line "X<tab>value" per visible sample.
#include <filesystem>

#include "signal/Signal.h"

// X starts at the first visible X and grows by 1 / rate per line, accumulated rather than recomputed. False
// when the file cannot be written.
[[nodiscard]] bool exportAscii(const std::filesystem::path& path, const Signal& signal);
