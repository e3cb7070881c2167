#include "fileio/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "base/ReplacingFile.h"
#include "base/WavHeader.h"
#include "signal/MinMaxSummary.h"

namespace {

constexpr std::size_t ChunkSamples = 1 << 15;

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
        count > WavHeader::MaxDataBytes / 2)
        return false;

    ReplacingFile out(path);
    if (!out.isOpen())
        return false;
    const auto header = WavHeader::pcm16(1, uint32_t(rate), 2 * count);
    out.write(header.data(), header.size());
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
