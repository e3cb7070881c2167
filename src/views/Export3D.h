#pragma once
// The text exports of a 3D window's current level.
#include <filesystem>
#include <string>

class FFTSignal;

// Each returns false, leaving any old file as it was, when the file cannot be written; the caller then
// shows CouldNotOpen.
namespace Export3D {
constexpr const char* CouldNotOpen = "Could not open requested file! Check if some other application is using it.";

// One line "X\tY\tvalue" per cell, row after row.
bool writeTriples(const FFTSignal& data, const std::filesystem::path& file);
// A head line "xLabel/yLabel" with the Y of every bin, then per row its X and its values.
bool writeMatrix(const FFTSignal& data, const std::filesystem::path& file, const std::string& xLabel,
                 const std::string& yLabel);
}  // namespace Export3D
