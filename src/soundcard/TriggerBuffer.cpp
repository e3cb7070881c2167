#include "soundcard/TriggerBuffer.h"

#include <algorithm>
#include <cstdlib>

TriggerBuffer::TriggerBuffer(int32_t threshold, uint32_t frames, uint32_t channels, uint32_t triggerChannel,
                             uint32_t skip)
    : carry_(std::size_t(frames) * std::max(channels, 1u)), output_(carry_.size()), frames_(frames),
      channels_(std::max(channels, 1u)), level_(threshold * 0.01 * 32768), skip_(skip),
      triggerChannel_(std::clamp(triggerChannel, 1u, std::max(channels, 1u)) - 1)
{
}

void TriggerBuffer::appendToOutput(const int16_t* frames, uint32_t count)
{
    std::copy_n(frames, std::size_t(count) * channels_, output_.begin() + std::ptrdiff_t(outputCount_) * channels_);
    outputCount_ += count;
}

void TriggerBuffer::feed(const int16_t* block, uint32_t n)
{
    n = std::min(n, frames_);
    const std::size_t C = channels_;
    if (!triggered_) {
        // The scan stops C − 1 frames before the end of the block, as it always has.
        for (uint32_t i = 0; i + C < std::size_t(n) + 1; ++i) {
            if (!(std::abs(int(block[i * C + triggerChannel_])) > level_))
                continue;
            triggered_ = true;
            if (uint64_t(i) + skip_ >= n) {
                skip_ -= n - i;
                return;
            }
            outputCount_ = 0;
            appendToOutput(block + (i + skip_) * C, n - i - skip_);
            skip_ = 0;
            return;
        }
        return;
    }
    // A skip longer than this block takes the whole block and goes on into the next.
    const uint32_t dropped = std::min(skip_, n);
    block += dropped * C;
    n -= dropped;
    skip_ -= dropped;

    const uint32_t moved = std::min(carryCount_, frames_ - outputCount_);
    appendToOutput(carry_.data(), moved);
    std::copy(carry_.begin() + std::ptrdiff_t(moved * C), carry_.begin() + std::ptrdiff_t(carryCount_ * C), carry_.begin());
    carryCount_ -= moved;

    const uint32_t taken = std::min(frames_ - outputCount_, n);
    appendToOutput(block, taken);
    const uint32_t kept = std::min(frames_ - carryCount_, n - taken);
    std::copy_n(block + taken * C, std::size_t(kept) * C, carry_.begin() + std::ptrdiff_t(carryCount_ * C));
    carryCount_ += kept;
}

void TriggerBuffer::rearm()
{
    triggered_ = false;
    carryCount_ = 0;
}
