#include "soundcard/Decimation.h"

#include <cstdint>

namespace {
// Rounds sum / n to the nearest integer, halves upward, with integer arithmetic only.
int16_t roundedMean(int64_t sum, int64_t n)
{
    const int64_t twice = 2 * sum + n;
    const int64_t divisor = 2 * n;
    int64_t q = twice / divisor;
    if (twice % divisor != 0 && twice < 0)
        --q;
    return int16_t(q);
}
}  // namespace

void decimateInPlace(int16_t* block, uint32_t frames, uint32_t ratio, uint32_t channels)
{
    if (ratio <= 1 || channels == 0)
        return;
    // Frame k is written where frame k was; every frame still to be read lies further on (N ≥ 2),
    // so one pass in order needs no second block.
    for (std::size_t k = 0; k < frames; ++k) {
        for (std::size_t c = 0; c < channels; ++c) {
            int64_t sum = 0;
            for (std::size_t j = 0; j < ratio; ++j)
                sum += block[(k * ratio + j) * channels + c];
            block[k * channels + c] = roundedMean(sum, ratio);
        }
    }
}
