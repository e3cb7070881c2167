#include "fileio/BinFile.h"

#include <array>
#include <cstring>
#include <limits>
#include <new>

#include "base/ReplacingFile.h"
#include "fileio/Extended80.h"
#include "fileio/PcmReader.h"
#include "signal/SignalKind.h"

namespace {

constexpr uint64_t FloatHeaderBytes = 14;
constexpr uint64_t LegacyHeaderBytes = 6;

uint16_t wordAt(const uint8_t* bytes)
{
    return uint16_t(bytes[0] | bytes[1] << 8);
}

FileReadResult readFloatVariant(const InputFile& file, const uint8_t* header)
{
    const long double rate = decodeExtended80(header + 4);
    const uint64_t count = (file.size() - FloatHeaderBytes) / sizeof(float);
    if (!isUsableSampleRate(rate))
        return unusableRate(rate);
    if (count == 0)
        return invalidFile(RefusalReason::NoSamples);
    if (count > std::numeric_limits<uint32_t>::max())
        return invalidFile(RefusalReason::TooManySamples);
    try {
        auto block = Signal::allocateSamples(count);
        if (!file.readAt(FloatHeaderBytes, block.get(), count * sizeof(float)))
            return invalidFile(RefusalReason::CutShort);
        FileReadResult result;
        result.signals.push_back(
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, std::move(block), uint32_t(count), rate));
        result.sampleCoding = "32-bit floats";
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::OutOfMemory, {}};
    }
}

}  // namespace

uint32_t legacyBinSampleRate(uint16_t a, uint16_t b, uint16_t c)
{
    uint32_t rate = c;
    if (a != 0) {
        // The product is a 32-bit one, as the files were written for; a product that wraps to 0
        // yields rate 0, which the range rule below replaces instead of dividing by it.
        const uint32_t product = uint32_t(a) * b * c;
        rate = (b == 0 || c == 0) ? 1000 : product == 0 ? 0 : 2000000u / product;
    }
    return (rate < 1 || rate > 32000) ? 1000 : rate;
}

FileReadResult readBinFile(const std::filesystem::path& path)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {FileReadError::CannotOpen, {}};
    std::array<uint8_t, FloatHeaderBytes> header{};
    const std::size_t headerBytes = std::size_t(std::min<uint64_t>(file->size(), header.size()));
    if (headerBytes < LegacyHeaderBytes || !file->readAt(0, header.data(), headerBytes))
        return invalidFile(RefusalReason::ShortHeader);
    if (wordAt(&header[0]) == 1 && wordAt(&header[2]) == 1) {
        if (headerBytes < FloatHeaderBytes)
            return invalidFile(RefusalReason::ShortHeader);
        return readFloatVariant(*file, header.data());
    }
    const uint32_t rate = legacyBinSampleRate(wordAt(&header[0]), wordAt(&header[2]), wordAt(&header[4]));
    return readInt16FileSignal(*file, LegacyHeaderBytes, file->size() / 2 - 3, rate);
}

bool writeBinFile(const std::filesystem::path& path, const Signal& signal)
{
    ReplacingFile out(path);
    const uint16_t marks[2] = {1, 1};
    const Extended80Bytes rate = encodeExtended80(signal.sampleRate());
    out.write(marks, sizeof marks);
    out.write(rate.data(), rate.size());
    out.write(signal.visibleSamples(), std::size_t(signal.visibleCount()) * sizeof(float));
    return out.commit();
}
