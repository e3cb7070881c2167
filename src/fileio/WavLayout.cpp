#include "fileio/WavLayout.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr uint64_t FirstChunk = 12;
constexpr uint32_t MinFmtBytes = 16;
constexpr uint32_t ExtensibleFmtBytes = 40;
constexpr uint16_t PcmTag = 1;
constexpr uint16_t FloatTag = 3;
constexpr uint16_t ExtensibleTag = 0xFFFE;
// An extensible format's subformat is a GUID that starts with a format tag; these are its other 14 bytes.
constexpr uint8_t SubformatTail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
// An RF64 data chunk with this size has its real one in the ds64 chunk, after the 64-bit RIFF size.
constexpr uint32_t SizeInDs64 = 0xFFFFFFFF;
constexpr uint32_t Ds64DataSizeEnd = 16;
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

uint64_t le64(const uint8_t* p)
{
    return uint64_t(le32(p)) | uint64_t(le32(p + 4)) << 32;
}

// The samples that the fmt chunk's first `bytes` bytes describe.
FileReadError describeSamples(const uint8_t* fmt, std::size_t bytes, PcmFormat& format)
{
    uint16_t tag = le16(fmt);
    const unsigned bitsPerSample = le16(fmt + 14);
    unsigned validBits = bitsPerSample;
    if (tag == ExtensibleTag) {
        if (bytes < ExtensibleFmtBytes || std::memcmp(fmt + 26, SubformatTail, sizeof SubformatTail) != 0)
            return FileReadError::NotPcm;
        validBits = le16(fmt + 18);
        tag = le16(fmt + 24);
    }
    if (tag != PcmTag && tag != FloatTag)
        return FileReadError::NotPcm;
    const unsigned channels = le16(fmt + 2);
    const unsigned blockAlign = le16(fmt + 12);
    if (channels == 0)
        return FileReadError::WavChannels;
    if (blockAlign == 0 || blockAlign % channels != 0)
        return FileReadError::WavSampleSize;
    const unsigned containerBytes = blockAlign / channels;
    if (tag == FloatTag) {
        if ((containerBytes != 4 && containerBytes != 8) || bitsPerSample != 8 * containerBytes)
            return FileReadError::NotPcm;
        format = {PcmFormat::Coding::Float, channels, containerBytes, bitsPerSample};
        return FileReadError::None;
    }
    if (containerBytes > 4)
        return FileReadError::WavSampleSize;
    // No count of valid bits means the whole container; more bits than it holds is a hostile header.
    if (validBits == 0)
        validBits = 8 * containerBytes;
    if (validBits > 8 * containerBytes)
        return FileReadError::WavOther;
    format = {PcmFormat::Coding::Integer, channels, containerBytes, validBits};
    return FileReadError::None;
}

}  // namespace

FileReadError readWavLayout(const InputFile& file, WavLayout& layout)
{
    uint8_t riff[FirstChunk];
    if (file.size() < FirstChunk || !file.readAt(0, riff, sizeof riff))
        return FileReadError::WavOther;
    const bool rf64 = std::memcmp(riff, "RF64", 4) == 0;
    if ((!rf64 && std::memcmp(riff, "RIFF", 4) != 0) || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return FileReadError::NotPcm;

    uint8_t fmt[ExtensibleFmtBytes] = {};
    std::size_t fmtBytes = 0;
    bool haveData = false;
    // Without a ds64 chunk an RF64 data chunk runs to the end of the file.
    uint64_t ds64DataBytes = std::numeric_limits<uint64_t>::max();
    uint64_t offset = FirstChunk;
    for (int chunks = 0; chunks < MaxChunks && !(fmtBytes && haveData) && offset + 8 <= file.size(); ++chunks) {
        uint8_t head[8];
        if (!file.readAt(offset, head, sizeof head))
            break;
        uint64_t size = le32(head + 4);
        const uint64_t body = offset + 8;
        if (std::memcmp(head, "ds64", 4) == 0 && rf64) {
            uint8_t ds64[Ds64DataSizeEnd];
            if (size >= sizeof ds64 && file.readAt(body, ds64, sizeof ds64))
                ds64DataBytes = le64(ds64 + 8);
        } else if (std::memcmp(head, "fmt ", 4) == 0 && !fmtBytes) {
            fmtBytes = std::size_t(std::min<uint64_t>(size, sizeof fmt));
            if (size < MinFmtBytes || !file.readAt(body, fmt, fmtBytes))
                return FileReadError::WavOther;
        } else if (std::memcmp(head, "data", 4) == 0 && !haveData) {
            if (rf64 && size == SizeInDs64)
                size = ds64DataBytes;
            layout.dataOffset = body;
            layout.dataBytes = std::min(size, file.size() - body);
            haveData = true;
        }
        // A chunk that claims more than the file holds ends the walk at the end of the file.
        offset = body + std::min(size, file.size() - body) + (size & 1);
    }

    if (!fmtBytes)
        return FileReadError::WavOther;
    if (const FileReadError error = describeSamples(fmt, fmtBytes, layout.format); error != FileReadError::None)
        return error;
    layout.sampleRate = le32(fmt + 4);
    if (!haveData || layout.sampleRate == 0)
        return FileReadError::WavOther;
    return FileReadError::None;
}
