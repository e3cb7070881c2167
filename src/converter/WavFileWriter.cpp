#include "WavFileWriter.h"

#include <bit>
#include <cstring>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little, "WAV samples are written in memory order");

namespace {

constexpr uint32_t HeaderBytes = 44;
// The RIFF size field counts everything after its own 8 bytes in 32 bits.
constexpr uint64_t MaxDataBytes = std::numeric_limits<uint32_t>::max() - (HeaderBytes - 8);
constexpr std::size_t WriteBufferBytes = std::size_t(1) << 20;

void put16(uint8_t* p, uint32_t value)
{
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
}

void put32(uint8_t* p, uint32_t value)
{
    put16(p, value & 0xffff);
    put16(p + 2, value >> 16);
}

}  // namespace

WavFileWriter::WavFileWriter(const std::filesystem::path& target, int channels, uint32_t sampleRate)
    : target_(target), channels_(channels), sampleRate_(sampleRate)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string name = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return;
    temporary_ = name;
    // mkstemp makes the file private; the result gets the permissions of any new file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        close(fd);
        discard();
        return;
    }
    std::setvbuf(file_, nullptr, _IOFBF, WriteBufferBytes);
    if (!writeHeader())
        discard();
}

WavFileWriter::~WavFileWriter()
{
    discard();
}

bool WavFileWriter::write(std::span<const int16_t> samples)
{
    const uint64_t bytes = samples.size_bytes();
    if (!file_ || dataBytes_ + bytes > MaxDataBytes ||
        std::fwrite(samples.data(), 1, bytes, file_) != bytes)
        return false;
    dataBytes_ += bytes;
    return true;
}

bool WavFileWriter::commit()
{
    const bool written = file_ && writeHeader() && std::fflush(file_) == 0 && std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

bool WavFileWriter::writeHeader()
{
    const uint32_t blockAlign = 2 * uint32_t(channels_);
    uint8_t header[HeaderBytes];
    std::memcpy(header, "RIFF", 4);
    put32(header + 4, uint32_t(dataBytes_ + HeaderBytes - 8));
    std::memcpy(header + 8, "WAVEfmt ", 8);
    put32(header + 16, 16);
    put16(header + 20, 1);
    put16(header + 22, uint32_t(channels_));
    put32(header + 24, sampleRate_);
    put32(header + 28, sampleRate_ * blockAlign);
    put16(header + 32, blockAlign);
    put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    put32(header + 40, uint32_t(dataBytes_));
    return std::fseek(file_, 0, SEEK_SET) == 0 && std::fwrite(header, 1, HeaderBytes, file_) == HeaderBytes &&
           std::fseek(file_, 0, SEEK_END) == 0;
}

void WavFileWriter::discard()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty())
        std::remove(temporary_.c_str());
    temporary_.clear();
}
