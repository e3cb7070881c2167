#include "fileio/WavReader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "fileio/PcmReader.h"
#include "signal/SignalKind.h"

namespace {

constexpr uint64_t FirstChunk = 12;
constexpr uint32_t MinFmtBytes = 16;
constexpr uint16_t PcmFormat = 1;
// No real file has more chunks before its samples; the bound keeps a file of empty chunks from
// costing a read per eight bytes.
constexpr int MaxChunks = 1024;

uint16_t le16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

FileReadError readWavLayout(const InputFile& file, WavLayout& layout)
{
    uint8_t riff[FirstChunk];
    if (file.size() < FirstChunk || !file.readAt(0, riff, sizeof riff))
        return FileReadError::WavOther;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return FileReadError::NotPcm;

    bool haveFmt = false;
    bool haveData = false;
    uint64_t offset = FirstChunk;
    for (int chunks = 0; chunks < MaxChunks && !(haveFmt && haveData) && offset + 8 <= file.size(); ++chunks) {
        uint8_t head[8];
        if (!file.readAt(offset, head, sizeof head))
            break;
        const uint32_t size = le32(head + 4);
        const uint64_t body = offset + 8;
        if (std::memcmp(head, "fmt ", 4) == 0 && !haveFmt) {
            uint8_t fmt[MinFmtBytes];
            if (size < MinFmtBytes || !file.readAt(body, fmt, sizeof fmt))
                return FileReadError::WavOther;
            layout.format = le16(fmt);
            layout.channels = le16(fmt + 2);
            layout.sampleRate = le32(fmt + 4);
            layout.blockAlign = le16(fmt + 12);
            haveFmt = true;
        } else if (std::memcmp(head, "data", 4) == 0 && !haveData) {
            layout.dataOffset = body;
            layout.dataBytes = std::min<uint64_t>(size, file.size() - body);
            haveData = true;
        }
        offset = body + size + (size & 1);
    }

    if (!haveFmt)
        return FileReadError::WavOther;
    if (layout.format != PcmFormat)
        return FileReadError::NotPcm;
    if (layout.channels != 1 && layout.channels != 2)
        return FileReadError::WavChannels;
    const unsigned bytesPerSample = layout.blockAlign / layout.channels;
    if (bytesPerSample != 1 && bytesPerSample != 2)
        return FileReadError::WavSampleSize;
    if (!haveData || layout.sampleRate == 0)
        return FileReadError::WavOther;
    return FileReadError::None;
}

FileReadResult readWavFile(const std::filesystem::path& path)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {FileReadError::CannotOpen, {}};
    WavLayout layout;
    if (const FileReadError error = readWavLayout(*file, layout); error != FileReadError::None)
        return {error, {}};

    const unsigned bytesPerSample = layout.blockAlign / layout.channels;
    const uint64_t frames = layout.dataBytes / (layout.channels * bytesPerSample);
    if (frames == 0 || frames > std::numeric_limits<uint32_t>::max())
        return {FileReadError::WavOther, {}};
    try {
        auto blocks = readPcmChannels(*file, layout.dataOffset, uint32_t(frames), layout.channels, bytesPerSample);
        if (blocks.empty())
            return {FileReadError::WavOther, {}};
        FileReadResult result;
        for (auto& block : blocks)
            result.signals.push_back(std::make_unique<Signal>(nullptr, SignalKind::WavChannel, std::move(block),
                                                              uint32_t(frames), layout.sampleRate));
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::WavOther, {}};
    }
}
