#pragma once
// A binary matrix picture file for tests: its header and the values 0, 1, 2 ... row after row.
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"

inline void writeCountingMatrix(const std::filesystem::path& path, uint32_t rows, uint32_t bins)
{
    std::string matrix;
    for (const uint32_t word : {rows, bins, 0u, 0u})
        matrix.append(reinterpret_cast<const char*>(&word), 4);
    for (uint32_t v = 0; v < rows * bins; ++v)
        matrix.append(reinterpret_cast<const char*>(&v), 4);
    writeBytes(path, matrix);
}
