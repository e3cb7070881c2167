#pragma once
#include <cstddef>
#include <cstdint>

// Keeps only the significant peaks of the n values x (at most 100) and sets every other value to 0.
// `level` is the significance in percent: 5, or 1 for the stricter test.
void keepSignificantPeaks(float* x, std::size_t n, int32_t level);
