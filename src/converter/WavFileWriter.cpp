#include "WavFileWriter.h"

#include <bit>
#include <cstdio>

#include "base/WavHeader.h"

static_assert(std::endian::native == std::endian::little, "WAV samples are written in memory order");

namespace {
constexpr std::size_t WriteBufferBytes = std::size_t(1) << 20;
}  // namespace

WavFileWriter::WavFileWriter(const std::filesystem::path& target, int channels, uint32_t sampleRate)
    : file_(target), channels_(channels), sampleRate_(sampleRate)
{
    if (file_.isOpen())
        std::setvbuf(file_.stream(), nullptr, _IOFBF, WriteBufferBytes);
    failed_ = !writeHeader();
}

bool WavFileWriter::write(std::span<const int16_t> samples)
{
    const uint64_t bytes = samples.size_bytes();
    if (failed_ || !file_.isOpen() || dataBytes_ + bytes > WavHeader::MaxDataBytes ||
        std::fwrite(samples.data(), 1, bytes, file_.stream()) != bytes) {
        failed_ = true;
        return false;
    }
    dataBytes_ += bytes;
    return true;
}

bool WavFileWriter::commit()
{
    // The header is written again with the sizes now known, then the file is synced and renamed.
    if (failed_ || !writeHeader())
        file_.markFailed();
    return file_.commit();
}

bool WavFileWriter::writeHeader()
{
    std::FILE* stream = file_.stream();
    const auto header = WavHeader::pcm16(uint32_t(channels_), sampleRate_, uint32_t(dataBytes_));
    return stream && std::fseek(stream, 0, SEEK_SET) == 0 &&
           std::fwrite(header.data(), 1, header.size(), stream) == header.size() &&
           std::fseek(stream, 0, SEEK_END) == 0;
}
