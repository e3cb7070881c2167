#pragma once
// The passes of one transform length in the order they run.
#include <array>
#include <cstddef>

#include "dsp/FftStatus.h"

// The square factors, the square-free middle, then the square factors again in reverse, so the list is
// symmetric around the middle.
struct FftFactors {
    // Every factor is at least 2, so a 64-bit length never needs more entries.
    std::array<int, 64> factor{};
    int count = 0;
    int squareCount = 0;  // square factors on each side of the middle

    int middleCount() const { return count - 2 * squareCount; }
    std::size_t middleProduct() const;
};

// The rotation tables of the general odd-factor pass and the permutation's square-free index
// table are this large, so lengths beyond these limits are refused.
constexpr int FftMaxPrimeFactor = 23;
constexpr std::size_t FftMaxSquareFreeProduct = 210;

// Splits n (at least 2) into its passes; refuses lengths beyond the limits above.
FftStatus factorizeFftLength(std::size_t n, FftFactors& out);
