#pragma once
// A picture or a matrix as a 3D picture window takes it: `rows` lines of `bins` values, row after row.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// For a picture the rows are its columns (x) and the bins its lines (y, the top line first), and a value is
// the sum of the pixel's red, green and blue (0 ... 765).
struct PictureMatrix {
    uint32_t rows = 0;
    uint32_t bins = 0;
    std::vector<float> values;

    // The matrix of pixels given as RGB triples, line after line from the top.
    static PictureMatrix fromPixels(uint32_t width, uint32_t height, const uint8_t* rgb);
    // An uncompressed device-independent bitmap of 8 (with its colour table), 24 or 32 bits per pixel.
    // Nothing for any other file, a damaged one or one shorter than its headers say.
    static std::optional<PictureMatrix> readBmp(const std::filesystem::path& file);
    // A binary matrix: 32-bit unsigned bin count and row count, two further words not used, then
    // rows × bins 32-bit unsigned values row after row. Nothing when the file is shorter than that.
    static std::optional<PictureMatrix> readMatrix(const std::filesystem::path& file);
    // A name ending in "bmp" (any case) is read as a bitmap, any other as a binary matrix.
    static std::optional<PictureMatrix> read(const std::filesystem::path& file);
};
