#pragma once
// Puts the bins of a transform back in natural order, in place.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dsp/FftFactors.h"
#include "dsp/FftKernelTable.h"

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
    // n = layout.ks / layout.jc must be below 2^32. Except with the scalar kernel, a single
    // unit-stride sequence has its exchanges done tile by tile when the first square factor is 4
    // (by blocks of 8 x 8 or 16 x 16 in the kernel's registers when it has them and the second is 2
    // or 4); otherwise, up to MaxGathered values, through a table of sources; beyond, pair by pair.
    FftPermutation(const FftFactors& factors, const FftLayout& layout, const FftKernelTable& kernels);

    void apply(float* a, float* b) const;

private:
    // Short unit-stride sequences without tiles take their values from a table of sources instead:
    // one pass of loads beats the exchanges' digit arithmetic there. Its memory bounds the length.
    static constexpr std::ptrdiff_t MaxGathered = std::ptrdiff_t(1) << 16;
    void gather(float* a, float* b) const;

    // A position splits into high digits (the first square factors), the inner digits and low
    // digits (their mirror), each tile side being as wide as the product of the high digits.
    void exchangeSquareFactors(float* a, float* b) const;
    void exchangeSquareFactorsByTiles(float* x) const;
    // Writes the mirror image of one tile (rows fromRowStride apart) into another.
    void fillMirroredTile(const float* from, std::ptrdiff_t fromRowStride, float* to) const;
    void reorderSquareFreeFactors(float* a, float* b) const;
    void listBlocks(FftKernelTable::MirrorBlocks mirror, std::ptrdiff_t side);
    void orderMiddle(const FftFactors& factors, const FftLayout& layout);
    void listSources(const FftKernelTable& kernels);

    FftLayout layout_{};
    bool tiled_ = false;
    std::ptrdiff_t n_ = 0;
    std::ptrdiff_t tile_ = 1;                // values per side of a tile
    std::ptrdiff_t highWeight_ = 0;          // n / tile_: index step of one high-digit unit
    std::vector<std::uint32_t> highToLow_;   // high digits mirrored into low ones
    std::vector<std::uint32_t> lowToHigh_;   // low digits mirrored into high ones
    std::vector<std::uint32_t> innerMirror_;  // inner digits mirrored (its own inverse)
    // The square blocks of the tiles, each listed once with its partner, when the kernel moves them.
    FftKernelTable::MirrorBlocks mirrorBlocks_ = nullptr;
    std::ptrdiff_t blockRowStride_ = 0;
    std::vector<FftSubBlockPair> blocks_;
    std::ptrdiff_t middleProduct_ = 1;      // 1 when the middle has fewer than two factors
    std::ptrdiff_t below_ = 0;              // indices below the middle digit
    std::array<std::uint8_t, FftMaxSquareFreeProduct> source_{};  // middle digit d takes from source_[d]
    std::vector<std::uint32_t> gathered_;   // bin k comes from position gathered_[k]
};
