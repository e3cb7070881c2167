#include "fileio/AsciiTableReader.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <new>
#include <string>

#include "fileio/AsciiTable.h"
#include "signal/SignalKind.h"

namespace {

// The sample blocks grow by 128 KiB at a time.
constexpr std::size_t BlockGrowth = 32768;

}  // namespace

std::optional<AsciiTableHead> readAsciiTableHead(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    AsciiTableHead head;
    head.columns = AsciiTable::columnCount(line);
    do {
        double x = 0;
        AsciiTable::readFields(line, 0, {&x, 1});
        head.firstColumn.push_back(x);
    } while (head.firstColumn.size() < AsciiTable::AxisTestLines && std::getline(in, line));
    return head;
}

FileReadResult readAsciiColumns(const std::filesystem::path& path, int firstColumn, int columns,
                                long double sampleRate, long double xOffset)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {FileReadError::CannotOpen, {}};
    const std::size_t width = std::size_t(std::max(columns - firstColumn, 0));
    try {
        std::vector<std::vector<float>> blocks(width);
        std::vector<double> row(width);
        std::size_t rows = 0;
        for (std::string line; rows < std::numeric_limits<uint32_t>::max() && std::getline(in, line); ++rows) {
            AsciiTable::readFields(line, firstColumn, row);
            for (std::size_t c = 0; c < width; ++c) {
                if (blocks[c].size() == blocks[c].capacity())
                    blocks[c].reserve(blocks[c].capacity() + BlockGrowth);
                blocks[c].push_back(float(row[c]));
            }
        }
        if (rows == 0 || width == 0)
            return {FileReadError::Invalid, {}};
        FileReadResult result;
        for (const auto& block : blocks)
            result.signals.push_back(std::make_unique<Signal>(nullptr, SignalKind::AsciiColumn, block.data(),
                                                              uint32_t(rows), sampleRate, xOffset));
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::OutOfMemory, {}};
    }
}
