#include "fileio/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "base/ReplacingFile.h"
#include "signal/MinMaxSummary.h"

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
    // NaN samples replace neither extreme; a signal of NaN only is a constant 0.
    MinMax range = MinMaxSummary::scan(samples, count);
    if (range.empty())
        range = {0, 0};
    double max = range.max;
    double min = range.min;
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
    // Values kept as they are must fit 16 bits (the top value +32768 is clamped); a range that fits
    // in width but not in place, such as 0 ... 40000, is centred without scaling.
    const bool fits = std::trunc(range.min) >= -32768 && std::trunc(range.max) <= 32768;
    if (scale >= 1 && fits)
        return scaling;
    scaling.gain = std::min(scale, 1.0);
    scaling.offset = mid;
    return scaling;
}

int16_t WavScaling::convert(float sample) const
{
    // Values beyond 16 bits saturate instead of wrapping; a NaN is written as 0.
    const double value = std::trunc((sample - offset) * gain);
    if (std::isnan(value))
        return 0;
    return int16_t(std::clamp(value, double(std::numeric_limits<int16_t>::min()),
                              double(std::numeric_limits<int16_t>::max())));
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

    ReplacingFile out(path);
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
    return out.commit();
}
