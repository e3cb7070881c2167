#include "fileio/PcmReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <thread>
#include <type_traits>

#include "fileio/ChunkedRead.h"
#include "signal/MinMaxSummary.h"
#include "signal/SignalKind.h"

static_assert(std::endian::native == std::endian::little, "samples are read straight into integers");

namespace {

template <std::size_t Bytes>
using UnsignedOf =
    std::conditional_t<Bytes == 1, uint8_t,
                       std::conditional_t<Bytes == 2, uint16_t, std::conditional_t<Bytes == 4, uint32_t, uint64_t>>>;

// A container whose bytes are a C++ type: integers shift out their unused low bits, floats convert.
template <typename Container>
struct Plain {
    using Value = Container;
    static constexpr std::size_t Bytes = sizeof(Container);

    static Value load(const uint8_t* bytes)
    {
        Value value;
        std::memcpy(&value, bytes, Bytes);
        return value;
    }
    static float widen(Value value, unsigned unusedBits)
    {
        if constexpr (std::is_integral_v<Value>)
            return float(value >> unusedBits);
        else
            return float(value);
    }
};

// Three bytes loaded as four (the chunk's spare word covers the last) and moved to the top of a 32-bit
// integer, where their sign bit belongs; the arithmetic shift brings them down.
struct Packed24 {
    using Value = int32_t;
    static constexpr std::size_t Bytes = 3;

    static Value load(const uint8_t* bytes)
    {
        uint32_t word;
        std::memcpy(&word, bytes, sizeof word);
        return int32_t(word << 8);
    }
    static float widen(Value value, unsigned unusedBits) { return float(value >> (8 + unusedBits)); }
};

// A channel's samples and the extremes of each of their fine blocks, found while the samples are
// converted, so that the signal's summary costs no second pass over them.
// Chunks may be converted in any order, so a fine block split between chunks keeps the extremes of its
// later parts aside, one per chunk, until all are done.
struct Channel {
    std::unique_ptr<float[]> samples;
    std::vector<MinMax> fine;   // one per fine block
    std::vector<MinMax> heads;  // per chunk that starts inside a fine block: the extremes of that part
};

// Converts samples [first, end), which lie in one fine block, and gives their extremes. Whole blocks of
// a fixed length let -O2's cheap vectoriser take the loops; the rest is done singly.
// Opening a long file is bound by this loop beside the zeroing of new pages, so it is built for the widest
// vectors too, the loader choosing from the processor; a conversion and a comparison give the same in any width.
template <typename Coding, typename Widen>
__attribute__((target_clones("avx512f", "avx2", "default")))
MinMax widenRun(float* __restrict out, std::size_t first, std::size_t end, Widen widen)
{
    if constexpr (sizeof(typename Coding::Value) >= sizeof(float)) {
        // Wide values convert a vector of four at a time, and the same loop gathers the extremes.
        constexpr std::size_t Block = MinMaxLanes::Count;
        MinMaxLanes lanes;
        const std::size_t whole = end - (end - first) % Block;
        for (std::size_t b = first; b < whole; b += Block)
            for (std::size_t k = 0; k < Block; ++k) {
                const float value = widen(b + k);
                out[b + k] = value;
                lanes.take(k, value);
            }
        for (std::size_t i = whole; i < end; ++i) {
            const float value = widen(i);
            out[i] = value;
            lanes.take(i - whole, value);
        }
        return lanes.merged();
    } else {
        // Narrow integers convert best sixteen at a time, their extremes gathered in the same loop in sixteen
        // lanes: converted integers hold no NaN and no negative zero, so any order finds the same extremes.
        constexpr std::size_t Block = 16;
        constexpr float Infinity = std::numeric_limits<float>::infinity();
        std::array<float, Block> low, high;
        low.fill(Infinity);
        high.fill(-Infinity);
        const std::size_t whole = end - (end - first) % Block;
        for (std::size_t b = first; b < whole; b += Block)
            for (std::size_t k = 0; k < Block; ++k) {
                const float value = widen(b + k);
                out[b + k] = value;
                low[k] = MinMaxLanes::smaller(value, low[k]);
                high[k] = MinMaxLanes::larger(value, high[k]);
            }
        MinMax extremes{Infinity, -Infinity};
        for (std::size_t k = 0; k < Block; ++k)
            extremes = {MinMaxLanes::smaller(low[k], extremes.min), MinMaxLanes::larger(high[k], extremes.max)};
        for (std::size_t i = whole; i < end; ++i) {
            const float value = widen(i);
            out[i] = value;
            extremes = {MinMaxLanes::smaller(value, extremes.min), MinMaxLanes::larger(value, extremes.max)};
        }
        return extremes;
    }
}

// Converts chunk `chunk`, `count` samples of one channel from frame `first` on, a fine block at a time.
template <typename Coding, typename Widen>
void widenChunk(Channel& channel, std::size_t chunk, uint64_t first, std::size_t count, Widen widen)
{
    constexpr uint64_t Fine = MinMaxSummary::FineBlock;
    float* out = channel.samples.get() + first;
    for (std::size_t start = 0; start < count;) {
        const uint64_t blockEnd = ((first + start) / Fine + 1) * Fine;
        const std::size_t end = std::size_t(std::min<uint64_t>(count, blockEnd - first));
        const MinMax part = widenRun<Coding>(out, start, end, widen);
        if ((first + start) % Fine == 0)
            channel.fine[std::size_t((first + start) / Fine)] = part;
        else
            channel.heads[chunk] = part;
        start = end;
    }
}

// About a million samples (4 MiB read) per thread, up to the processors: below that another thread costs
// more to start than it saves. Each thread also faults in, and so zeroes, its share of the new blocks.
unsigned readingThreads(uint32_t frames, const PcmFormat& format)
{
    constexpr uint64_t PerThread = uint64_t(1) << 22;
    const uint64_t bytes = uint64_t(frames) * format.frameBytes();
    const unsigned processors = std::max(std::thread::hardware_concurrency(), 1u);
    return unsigned(std::clamp<uint64_t>(bytes / PerThread, 1, processors));
}

// A frame that fills an integer word: channel c is its c-th field, so every channel is extracted with
// contiguous loads, which the compiler vectorises.
template <typename Coding, typename Word>
bool readWordFrames(const InputFile& file, uint64_t offset, uint32_t frames, const PcmFormat& format,
                    std::vector<Channel>& channels)
{
    const unsigned unusedBits = format.unusedBits();
    const std::size_t chunkFrames = readChunkFrames(sizeof(Word));
    const auto consume = [&](const Word* __restrict words, std::size_t count, uint64_t first) {
        for (unsigned c = 0; c < format.channels; ++c) {
            const unsigned shift = c * 8 * Coding::Bytes;
            widenChunk<Coding>(channels[c], std::size_t(first / chunkFrames), first, count, [=](std::size_t i) {
                const auto field = UnsignedOf<Coding::Bytes>(words[i] >> shift);
                return Coding::widen(std::bit_cast<typename Coding::Value>(field), unusedBits);
            });
        }
    };
    return readInChunks<Word>(file, offset, frames, 1, consume, readingThreads(frames, format));
}

// Any other frame: each channel's containers are loaded a frame apart.
template <typename Coding>
bool readStridedFrames(const InputFile& file, uint64_t offset, uint32_t frames, const PcmFormat& format,
                       std::vector<Channel>& channels)
{
    const std::size_t frameBytes = format.frameBytes();
    const unsigned unusedBits = format.unusedBits();
    const std::size_t chunkFrames = readChunkFrames(frameBytes);
    const auto consume = [&](const uint8_t* __restrict bytes, std::size_t count, uint64_t first) {
        for (unsigned c = 0; c < format.channels; ++c) {
            const uint8_t* channel = bytes + c * Coding::Bytes;
            widenChunk<Coding>(channels[c], std::size_t(first / chunkFrames), first, count, [=](std::size_t i) {
                return Coding::widen(Coding::load(channel + i * frameBytes), unusedBits);
            });
        }
    };
    return readInChunks<uint8_t>(file, offset, frames, frameBytes, consume, readingThreads(frames, format));
}

// Tries the word sizes from the container's up to 8 bytes before falling back to strided loads.
template <typename Coding, std::size_t WordBytes = Coding::Bytes>
bool readFrames(const InputFile& file, uint64_t offset, uint32_t frames, const PcmFormat& format,
                std::vector<Channel>& channels)
{
    if constexpr (std::has_single_bit(WordBytes) && WordBytes <= sizeof(uint64_t)) {
        if (format.frameBytes() == WordBytes)
            return readWordFrames<Coding, UnsignedOf<WordBytes>>(file, offset, frames, format, channels);
        return readFrames<Coding, 2 * WordBytes>(file, offset, frames, format, channels);
    } else {
        return readStridedFrames<Coding>(file, offset, frames, format, channels);
    }
}

bool readCoded(const InputFile& file, uint64_t offset, uint32_t frames, const PcmFormat& format,
               std::vector<Channel>& channels)
{
    if (format.coding == PcmFormat::Coding::Float)
        return format.containerBytes == 4 ? readFrames<Plain<float>>(file, offset, frames, format, channels)
                                          : readFrames<Plain<double>>(file, offset, frames, format, channels);
    switch (format.containerBytes) {
    case 1:
        return readFrames<Plain<uint8_t>>(file, offset, frames, format, channels);
    case 2:
        return readFrames<Plain<int16_t>>(file, offset, frames, format, channels);
    case 3:
        return readFrames<Packed24>(file, offset, frames, format, channels);
    default:
        return readFrames<Plain<int32_t>>(file, offset, frames, format, channels);
    }
}

}  // namespace

std::vector<std::unique_ptr<Signal>> readPcmSignals(const InputFile& file, uint64_t offset, uint32_t frames,
                                                    const PcmFormat& format, int32_t kind, long double sampleRate)
{
    constexpr std::size_t Fine = MinMaxSummary::FineBlock;
    const std::size_t fineBlocks = (std::size_t(frames) + Fine - 1) / Fine;
    const std::size_t chunkFrames = readChunkFrames(format.frameBytes());
    const std::size_t chunks = (std::size_t(frames) + chunkFrames - 1) / chunkFrames;
    std::vector<Channel> channels(format.channels);
    for (Channel& channel : channels) {
        channel.samples = Signal::allocateSamples(frames);
        channel.fine.resize(fineBlocks);
        readyForFilling(channel.fine.data(), fineBlocks * sizeof(MinMax));
        channel.heads.resize(chunkFrames % Fine ? chunks : 0);
    }
    std::vector<std::unique_ptr<Signal>> signals;
    if (!readCoded(file, offset, frames, format, channels))
        return signals;
    // A block split between chunks takes the extremes of its parts in order, earlier parts first.
    for (Channel& channel : channels) {
        for (std::size_t chunk = 0; chunk < channel.heads.size(); ++chunk) {
            const std::size_t first = chunk * chunkFrames;
            if (first % Fine == 0)
                continue;
            const MinMax part = channel.heads[chunk];
            MinMax& extremes = channel.fine[first / Fine];
            extremes = {std::min(part.min, extremes.min), std::max(part.max, extremes.max)};
        }
    }
    signals.reserve(channels.size());
    for (Channel& channel : channels)
        signals.push_back(std::make_unique<Signal>(nullptr, kind, std::move(channel.samples), frames, sampleRate,
                                                   MinMaxSummary::fromFineBlocks(std::move(channel.fine))));
    return signals;
}

FileReadResult readInt16FileSignal(const InputFile& file, uint64_t offset, uint64_t count, long double sampleRate)
{
    if (count == 0)
        return invalidFile(RefusalReason::NoSamples);
    if (count > std::numeric_limits<uint32_t>::max())
        return invalidFile(RefusalReason::TooManySamples);
    try {
        FileReadResult result;
        result.signals = readPcmSignals(file, offset, uint32_t(count), PcmFormat{}, SignalKind::FileSignal, sampleRate);
        if (result.signals.empty())
            return invalidFile(RefusalReason::CutShort);
        result.sampleCoding = PcmFormat{}.description();
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::OutOfMemory, {}};
    }
}
