#include "fileio/PcmReader.h"

#include <bit>
#include <limits>
#include <new>
#include <type_traits>

#include "fileio/ChunkedRead.h"
#include "signal/SignalKind.h"

static_assert(std::endian::native == std::endian::little, "samples are read straight into integers");

namespace {

// One frame read as a single unsigned integer: channel c is its c-th Sample-sized field, so every
// channel is extracted with contiguous loads, which the compiler vectorises.
template <typename Sample, unsigned Channels>
using FrameWord = std::conditional_t<sizeof(Sample) * Channels == 1, uint8_t,
                                     std::conditional_t<sizeof(Sample) * Channels == 2, uint16_t, uint32_t>>;

template <typename Sample, unsigned Channels>
void widenChannel(const FrameWord<Sample, Channels>* __restrict frames, unsigned channel, float* __restrict out,
                  std::size_t count)
{
    const unsigned shift = channel * 8 * sizeof(Sample);
    const auto widen = [&](std::size_t i) { out[i] = float(Sample(frames[i] >> shift)); };
    // Whole blocks of a fixed length let -O2's cheap vectoriser take the loop; the rest is done singly.
    constexpr std::size_t Block = 16;
    const std::size_t whole = count - count % Block;
    for (std::size_t b = 0; b < whole; b += Block)
        for (std::size_t k = 0; k < Block; ++k)
            widen(b + k);
    for (std::size_t i = whole; i < count; ++i)
        widen(i);
}

template <typename Sample, unsigned Channels>
std::vector<std::unique_ptr<float[]>> readChannels(const InputFile& file, uint64_t offset, uint32_t frames)
{
    std::vector<std::unique_ptr<float[]>> blocks;
    for (unsigned c = 0; c < Channels; ++c)
        blocks.push_back(Signal::allocateSamples(frames));
    const bool complete = readInChunks<FrameWord<Sample, Channels>>(
        file, offset, frames, 1, [&](const FrameWord<Sample, Channels>* words, std::size_t count, uint64_t first) {
            for (unsigned c = 0; c < Channels; ++c)
                widenChannel<Sample, Channels>(words, c, blocks[c].get() + first, count);
        });
    if (!complete)
        blocks.clear();
    return blocks;
}

}  // namespace

std::vector<std::unique_ptr<float[]>> readPcmChannels(const InputFile& file, uint64_t offset, uint32_t frames,
                                                      unsigned channels, unsigned bytesPerSample)
{
    const bool stereo = channels == 2;
    if (bytesPerSample == 1)
        return stereo ? readChannels<uint8_t, 2>(file, offset, frames) : readChannels<uint8_t, 1>(file, offset, frames);
    return stereo ? readChannels<int16_t, 2>(file, offset, frames) : readChannels<int16_t, 1>(file, offset, frames);
}

FileReadResult readInt16FileSignal(const InputFile& file, uint64_t offset, uint64_t count, long double sampleRate)
{
    if (count == 0 || count > std::numeric_limits<uint32_t>::max())
        return {FileReadError::Invalid, {}};
    try {
        auto blocks = readPcmChannels(file, offset, uint32_t(count), 1, 2);
        if (blocks.empty())
            return {FileReadError::Invalid, {}};
        FileReadResult result;
        result.signals.push_back(std::make_unique<Signal>(nullptr, SignalKind::FileSignal, std::move(blocks[0]),
                                                          uint32_t(count), sampleRate));
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::OutOfMemory, {}};
    }
}
