#include "fileio/Sa3Reader.h"

#include <array>
#include <limits>
#include <new>
#include <utility>

#include "fileio/ChunkedRead.h"
#include "fileio/InputFile.h"
#include "signal/SignalKind.h"

namespace {

constexpr uint64_t HeaderWords = 61;
constexpr std::size_t RecordWords = 7;
constexpr unsigned Channels = 4;
constexpr std::array<float, Channels> Divisors = {100, 100, 100, 10};

}  // namespace

FileReadResult readSa3File(const std::filesystem::path& path, const AskSampleRate& askRate)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {FileReadError::CannotOpen, {}};
    const uint64_t words = file->size() / 2;
    const uint64_t count = words < HeaderWords ? 0 : (words - HeaderWords) / RecordWords;
    if (count == 0)
        return invalidFile(RefusalReason::NoSamples);
    if (count > std::numeric_limits<uint32_t>::max())
        return invalidFile(RefusalReason::TooManySamples);
    long double rate = 0;
    if (auto refused = askUsableRate(askRate, rate))
        return std::move(*refused);
    try {
        std::array<std::unique_ptr<float[]>, Channels> blocks;
        for (auto& block : blocks)
            block = Signal::allocateSamples(count);
        const bool complete = readInChunks<int16_t>(
            *file, HeaderWords * 2, count, RecordWords, [&](const int16_t* records, std::size_t n, uint64_t first) {
                for (std::size_t i = 0; i < n; ++i)
                    for (unsigned a = 0; a < Channels; ++a)
                        blocks[a][first + i] = float(records[i * RecordWords + a]) / Divisors[a];
            });
        if (!complete)
            return invalidFile(RefusalReason::CutShort);
        FileReadResult result;
        result.sampleCoding = "16-bit integers in records of seven words";
        for (auto& block : blocks)
            result.signals.push_back(
                std::make_unique<Signal>(nullptr, SignalKind::Sa3Channel, std::move(block), uint32_t(count), rate));
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::OutOfMemory, {}};
    }
}
