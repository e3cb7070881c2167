#include "fileio/PictureMatrix.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <new>

#include "fileio/InputFile.h"

namespace {
uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

// A matrix of rows × bins values that a file of `available` bytes can back at `bytesPerValue` each;
// nothing when it could not, so no size from a header is allocated unchecked.
std::optional<PictureMatrix> sized(uint64_t rows, uint64_t bins, uint64_t bytesPerValue, uint64_t available)
{
    if (rows == 0 || bins == 0 || rows > UINT32_MAX || bins > UINT32_MAX || rows * bins > available / bytesPerValue)
        return std::nullopt;
    PictureMatrix matrix;
    matrix.rows = uint32_t(rows);
    matrix.bins = uint32_t(bins);
    try {
        matrix.values.resize(std::size_t(rows * bins));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return matrix;
}

constexpr std::size_t FileHeader = 14;
constexpr std::size_t InfoHeader = 40;
}  // namespace

PictureMatrix PictureMatrix::fromPixels(uint32_t width, uint32_t height, const uint8_t* rgb)
{
    PictureMatrix matrix;
    matrix.rows = width;
    matrix.bins = height;
    matrix.values.resize(std::size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* pixel = rgb + 3 * (std::size_t(y) * width + x);
            matrix.values[std::size_t(x) * height + y] = float(pixel[0] + pixel[1] + pixel[2]);
        }
    return matrix;
}

std::optional<PictureMatrix> PictureMatrix::readBmp(const std::filesystem::path& file)
{
    const auto in = InputFile::open(file);
    std::array<uint8_t, FileHeader + InfoHeader> head{};
    if (!in || in->size() < head.size() || !in->readAt(0, head.data(), head.size()) || head[0] != 'B' || head[1] != 'M')
        return std::nullopt;
    const uint32_t dataOffset = le32(&head[10]);
    const uint32_t infoSize = le32(&head[14]);
    const auto width = int32_t(le32(&head[18]));
    const auto height = int32_t(le32(&head[22]));
    const uint16_t bits = le16(&head[28]);
    const uint32_t compression = le32(&head[30]);
    const bool plain = compression == 0 || (compression == 3 && bits == 32);
    if (infoSize < InfoHeader || width <= 0 || height == 0 || height == INT32_MIN || !plain ||
        (bits != 8 && bits != 24 && bits != 32))
        return std::nullopt;
    const uint64_t lines = uint64_t(height < 0 ? -int64_t(height) : height);
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    if (dataOffset > in->size() || stride * lines > in->size() - dataOffset)
        return std::nullopt;
    // An 8-bit picture looks its colours up in the table after the info header.
    std::array<uint8_t, 1024> table{};
    if (bits == 8) {
        const uint32_t used = le32(&head[46]);
        const uint32_t colours = used == 0 || used > 256 ? 256 : used;
        const uint64_t tableAt = FileHeader + uint64_t(infoSize);
        if (tableAt + 4ull * colours > dataOffset || !in->readAt(tableAt, table.data(), 4 * colours))
            return std::nullopt;
    }
    auto matrix = sized(uint64_t(width), lines, 1, stride * lines);
    if (!matrix)
        return std::nullopt;
    std::vector<uint8_t> line(stride);
    for (uint64_t y = 0; y < lines; ++y) {
        // Bottom-up unless the height is negative.
        const uint64_t stored = height > 0 ? lines - 1 - y : y;
        if (!in->readAt(dataOffset + stored * stride, line.data(), stride))
            return std::nullopt;
        for (uint64_t x = 0; x < uint64_t(width); ++x) {
            const uint8_t* pixel = bits == 8 ? &table[4 * std::size_t(line[x])] : &line[x * (bits / 8)];
            matrix->values[std::size_t(x * lines + y)] = float(pixel[0] + pixel[1] + pixel[2]);
        }
    }
    return matrix;
}

std::optional<PictureMatrix> PictureMatrix::readMatrix(const std::filesystem::path& file)
{
    const auto in = InputFile::open(file);
    std::array<uint8_t, 16> head{};
    if (!in || in->size() < head.size() || !in->readAt(0, head.data(), head.size()))
        return std::nullopt;
    const uint32_t bins = le32(&head[0]);
    const uint32_t rows = le32(&head[4]);
    auto matrix = sized(rows, bins, 4, in->size() - head.size());
    if (!matrix)
        return std::nullopt;
    std::vector<uint8_t> row(std::size_t(bins) * 4);
    for (uint32_t r = 0; r < rows; ++r) {
        if (!in->readAt(head.size() + uint64_t(r) * row.size(), row.data(), row.size()))
            return std::nullopt;
        for (uint32_t j = 0; j < bins; ++j)
            matrix->values[std::size_t(r) * bins + j] = float(le32(&row[4 * std::size_t(j)]));
    }
    return matrix;
}

std::optional<PictureMatrix> PictureMatrix::read(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".bmp" ? readBmp(file) : readMatrix(file);
}
