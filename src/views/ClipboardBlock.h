#pragma once
// Samples on the clipboard.
#include <cstdint>
#include <optional>
#include <vector>

// A 32-bit float holding the count N, then the N samples as 32-bit floats, 4 N + 5 bytes in all (the last
// byte is 0).
namespace ClipboardBlock {
std::vector<uint8_t> encode(const float* samples, uint32_t n);
// None when the block is shorter than its count says.
std::optional<std::vector<float>> decode(const std::vector<uint8_t>& block);
}  // namespace ClipboardBlock
