#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dsp/FftFactors.h"

// Where the values of the transformed dimension lie, in array indices (the stride included).
struct FftLayout {
    std::ptrdiff_t inc;  // distance between successive values
    std::ptrdiff_t nt;   // end of the data: stride times the total number of values
    std::ptrdiff_t jc;   // distance between successive points of the transformed dimension
    std::ptrdiff_t ks;   // span of the dimension: n times jc
};

// The passes leave bin k at the position whose factor digits are those of k reversed. Two stages
// restore natural order in place: pairwise exchanges for the square factors, then cycles through
// the square-free middle digits, moved with buffers of at most 23 values. Both are worked out
// once, for any number of transforms of the same shape.
class FftPermutation {
public:
    FftPermutation() = default;
    // n = layout.ks / layout.jc must be below 2^32.
    FftPermutation(const FftFactors& factors, const FftLayout& layout);

    void apply(float* a, float* b) const;

private:
    void exchangeSquareFactors(float* a, float* b) const;
    void reorderSquareFreeFactors(float* a, float* b) const;

    FftLayout layout_{};
    std::vector<std::uint32_t> exchanges_;  // position pairs p < q, flattened
    std::ptrdiff_t middleProduct_ = 1;      // 1 when the middle has fewer than two factors
    std::ptrdiff_t below_ = 0;              // indices below the middle digit
    std::array<std::uint8_t, FftMaxSquareFreeProduct> source_{};  // middle digit d takes from source_[d]
};
