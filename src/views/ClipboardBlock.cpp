#include "views/ClipboardBlock.h"

#include <cmath>
#include <cstring>

namespace ClipboardBlock {
std::vector<uint8_t> encode(const float* samples, uint32_t n)
{
    std::vector<uint8_t> block(4 * std::size_t(n) + 5, 0);
    const float count = float(n);
    std::memcpy(block.data(), &count, 4);
    if (n)
        std::memcpy(block.data() + 4, samples, 4 * std::size_t(n));
    return block;
}

std::optional<std::vector<float>> decode(const std::vector<uint8_t>& block)
{
    if (block.size() < 4)
        return std::nullopt;
    float count = 0;
    std::memcpy(&count, block.data(), 4);
    // The count is truncated to a whole number; a negative or absurd one cannot describe this block.
    if (!(count >= 0) || count > float(block.size()))
        return std::nullopt;
    const std::size_t n = std::size_t(std::trunc(count));
    if (block.size() < 4 + 4 * n)
        return std::nullopt;
    std::vector<float> samples(n);
    if (n)
        std::memcpy(samples.data(), block.data() + 4, 4 * n);
    return samples;
}
}  // namespace ClipboardBlock
