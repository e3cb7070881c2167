#pragma once
// Writes a picture as a PNG file that replaces the target only once it is complete.
#include <filesystem>

class QImage;

// Like every other file the program writes. False when it could not be encoded or written.
[[nodiscard]] bool writePngFile(const QImage& picture, const std::filesystem::path& file);
