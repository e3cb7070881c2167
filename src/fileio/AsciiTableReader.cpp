#include "fileio/AsciiTableReader.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "fileio/AsciiTable.h"
#include "fileio/ChunkedRead.h"
#include "signal/SignalKind.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Lines of a table as the rules see them: a UTF-8 byte order mark before the first line and the CR
// of CRLF line ends are dropped, so a file gives the same windows whichever editor wrote it.
class TableLines {
public:
    explicit TableLines(const std::filesystem::path& path) : in_(path, std::ios::binary) {}
    bool isOpen() const { return bool(in_); }
    bool next(std::string& line)
    {
        if (!std::getline(in_, line))
            return false;
        if (first_ && line.starts_with(ByteOrderMark))
            line.erase(0, ByteOrderMark.size());
        first_ = false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

private:
    std::ifstream in_;
    bool first_ = true;
};

// The number of lines getline gives: every LF, and a last line without one.
uint64_t countLines(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    // No larger than the file: a table of a few lines needs no megabyte of zeros first.
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    std::vector<char> chunk(error ? ReadChunkBytes : std::size_t(std::clamp<uintmax_t>(size, 1, ReadChunkBytes)));
    uint64_t lines = 0;
    char last = '\n';
    while (in) {
        in.read(chunk.data(), std::streamsize(chunk.size()));
        const auto got = std::size_t(in.gcount());
        if (got == 0)
            break;
        lines += uint64_t(std::count(chunk.data(), chunk.data() + got, '\n'));
        last = chunk[got - 1];
    }
    return last == '\n' ? lines : lines + 1;
}

}  // namespace

std::optional<AsciiTableHead> readAsciiTableHead(const std::filesystem::path& path)
{
    TableLines lines(path);
    std::string line;
    if (!lines.isOpen() || !lines.next(line))
        return std::nullopt;
    AsciiTableHead head;
    head.columns = AsciiTable::columnCount(line);
    do {
        double x = 0;
        AsciiTable::readFields(line, 0, {&x, 1});
        head.firstColumn.push_back(x);
    } while (head.firstColumn.size() < AsciiTable::AxisTestLines && lines.next(line));
    return head;
}

FileReadResult readAsciiColumns(const std::filesystem::path& path, int firstColumn, int columns,
                                long double sampleRate, long double xOffset)
{
    TableLines lines(path);
    if (!lines.isOpen())
        return {FileReadError::CannotOpen, {}};
    if (!isUsableSampleRate(sampleRate))
        return unusableRate(sampleRate);
    const std::size_t width = std::size_t(std::max(columns - firstColumn, 0));
    // Counting the lines first lets every column be read straight into its one exact block.
    const uint64_t expected = std::min<uint64_t>(countLines(path), std::numeric_limits<uint32_t>::max());
    if (expected == 0 || width == 0)
        return invalidFile(RefusalReason::NoSamples);
    std::error_code error;
    const uint64_t bytes = std::filesystem::file_size(path, error);
    if (error || width * expected > AsciiTable::MaxCellsPerByte * bytes)
        return invalidFile(RefusalReason::TooManyCells);
    try {
        std::vector<std::unique_ptr<float[]>> blocks;
        for (std::size_t c = 0; c < width; ++c)
            blocks.push_back(Signal::allocateSamples(expected));
        std::vector<double> row(width);
        uint32_t rows = 0;
        for (std::string line; rows < expected && lines.next(line); ++rows) {
            AsciiTable::readFields(line, firstColumn, row);
            for (std::size_t c = 0; c < width; ++c)
                blocks[c][rows] = float(row[c]);
        }
        // A file that shrank since it was counted keeps the lines that were there.
        if (rows == 0)
            return invalidFile(RefusalReason::NoSamples);
        FileReadResult result;
        for (auto& block : blocks)
            result.signals.push_back(std::make_unique<Signal>(nullptr, SignalKind::AsciiColumn, std::move(block), rows,
                                                              sampleRate, xOffset));
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::OutOfMemory, {}};
    }
}
