#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// Keeps only the significant peaks of the values (at most 100) and sets every other value to 0.
// `level` is the significance in percent: 5, or 1 for the stricter test.
void keepSignificantPeaks(std::span<float> values, int32_t level);
