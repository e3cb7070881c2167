#include "fileio/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "fileio/OutputFile.h"

namespace {

constexpr std::size_t ChunkSamples = 1 << 15;

void put16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    put16(p, uint16_t(v));
    put16(p + 2, uint16_t(v >> 16));
}

}  // namespace

WavScaling WavScaling::forSamples(const float* samples, uint32_t count)
{
    WavScaling scaling;
    if (count == 0)
        return scaling;
    // The same scan as the Y range: a NaN sample replaces neither extreme.
    double max = samples[0];
    double min = samples[0];
    for (uint32_t i = 1; i < count; ++i) {
        if (samples[i] > max)
            max = samples[i];
        if (!(samples[i] >= min))
            min = samples[i];
    }
    if (max <= min) {
        max += 1;
        min -= 1;
    }
    const double mid = (max + min) / 2;
    double half = max - mid;
    const double below = std::fabs(std::trunc(min - mid));
    if (below > std::fabs(half))
        half = below;
    const double scale = 32768 / half;
    if (!(scale >= 1)) {
        scaling.gain = scale;
        scaling.offset = mid;
    }
    return scaling;
}

int16_t WavScaling::convert(float sample) const
{
    const double value = std::trunc((sample - offset) * gain);
    if (!(std::fabs(value) < 0x1p62))
        return value > 0 ? std::numeric_limits<int16_t>::max()
                         : value < 0 ? std::numeric_limits<int16_t>::min() : int16_t(0);
    const auto whole = int64_t(value);
    return whole == 32768 ? std::numeric_limits<int16_t>::max() : int16_t(uint16_t(uint64_t(whole)));
}

bool writeWavFile(const std::filesystem::path& path, const Signal& signal)
{
    const long double rate = std::trunc(signal.sampleRate());
    const uint32_t count = signal.visibleCount();
    if (!(rate >= 0 && rate <= std::numeric_limits<uint32_t>::max() / 2) ||
        count > (std::numeric_limits<uint32_t>::max() - 36) / 2)
        return false;
    const auto intRate = uint32_t(rate);

    uint8_t header[44];
    std::memcpy(header, "RIFF", 4);
    put32(header + 4, 2 * count + 36);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    put32(header + 16, 16);
    put16(header + 20, 1);
    put16(header + 22, 1);
    put32(header + 24, intRate);
    put32(header + 28, 2 * intRate);
    put16(header + 32, 2);
    put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    put32(header + 40, 2 * count);

    OutputFile out(path);
    if (!out.isOpen())
        return false;
    out.write(header, sizeof header);
    const float* samples = signal.visibleSamples();
    const WavScaling scaling = WavScaling::forSamples(samples, count);
    const auto chunk = std::make_unique_for_overwrite<int16_t[]>(std::min<std::size_t>(count, ChunkSamples));
    for (uint32_t first = 0; first < count; first += ChunkSamples) {
        const auto n = std::size_t(std::min<uint32_t>(ChunkSamples, count - first));
        for (std::size_t i = 0; i < n; ++i)
            chunk[i] = scaling.convert(samples[first + i]);
        out.write(chunk.get(), n * sizeof(int16_t));
    }
    return out.finish();
}
