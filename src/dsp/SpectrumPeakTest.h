#pragma once
// Keeps only the significant peaks of the values (at most 100) and sets every other value to 0.
#include <cstddef>
#include <cstdint>
#include <span>

// `level` is the significance in percent: 5, or 1 for the stricter test.
void keepSignificantPeaks(std::span<float> values, int32_t level);
