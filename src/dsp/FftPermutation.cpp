#include "dsp/FftPermutation.h"

#include <algorithm>
#include <utility>

#include "dsp/FftLanes.h"

namespace {

constexpr std::ptrdiff_t MoveBufferSize = FftMaxPrimeFactor;

// The widest tile side: a tile's buffer stays well inside the first-level cache.
constexpr std::ptrdiff_t MaxTile = 32;

// The value whose digits, in the radices given most significant first, are those of `value`
// read backwards; its radices are the same list reversed.
std::uint32_t mirrorDigits(std::ptrdiff_t value, const std::vector<std::ptrdiff_t>& radices)
{
    std::ptrdiff_t mirrored = 0;
    for (auto radix = radices.rbegin(); radix != radices.rend(); ++radix) {
        mirrored = mirrored * *radix + value % *radix;
        value /= *radix;
    }
    return std::uint32_t(mirrored);
}

std::vector<std::uint32_t> mirrorTable(const std::vector<std::ptrdiff_t>& radices)
{
    std::ptrdiff_t size = 1;
    for (std::ptrdiff_t radix : radices)
        size *= radix;
    std::vector<std::uint32_t> table(std::size_t(size), 0);
    for (std::ptrdiff_t v = 0; v < size; ++v)
        table[std::size_t(v)] = mirrorDigits(v, radices);
    return table;
}

// Moves a run of values from one place to another, `count` indices long, stepping by the stride.
void moveRun(float* a, float* b, std::ptrdiff_t to, std::ptrdiff_t from, std::ptrdiff_t count, std::ptrdiff_t inc)
{
    for (std::ptrdiff_t i = 0; i < count; i += inc) {
        a[to + i] = a[from + i];
        b[to + i] = b[from + i];
    }
}

}  // namespace

FftPermutation::FftPermutation(const FftFactors& f, const FftLayout& layout, const FftKernelTable& kernels)
    : layout_(layout),
      tiled_(kernels.lanes > 1 && layout.jc == 1 && layout.nt == layout.ks && f.squareCount > 0 && f.factor[0] == 4),
      n_(layout.ks / layout.jc)
{
    // Mirroring the square digits around the middle is its own inverse, so it is a set of swaps.
    if (f.squareCount > 0) {
        int high = 1;
        tile_ = f.factor[0];
        while (high < f.squareCount && tile_ * f.factor[high] <= MaxTile)
            tile_ *= f.factor[high++];
        highWeight_ = n_ / tile_;
        const std::vector<std::ptrdiff_t> highRadices(f.factor.begin(), f.factor.begin() + high);
        const std::vector<std::ptrdiff_t> lowRadices(highRadices.rbegin(), highRadices.rend());
        std::vector<std::ptrdiff_t> innerRadices(f.factor.begin() + high, f.factor.begin() + f.squareCount);
        innerRadices.push_back(std::ptrdiff_t(f.middleProduct()));
        innerRadices.insert(innerRadices.end(), f.factor.begin() + f.count - f.squareCount,
                            f.factor.begin() + f.count - high);
        highToLow_ = mirrorTable(highRadices);
        lowToHigh_ = mirrorTable(lowRadices);
        innerMirror_ = mirrorTable(innerRadices);
        if (tiled_ && high >= 2 && f.factor[1] == 2 && kernels.mirrorBlocks8)
            listBlocks(kernels.mirrorBlocks8, 8);
        if (tiled_ && high >= 2 && f.factor[1] == 4 && kernels.mirrorBlocks16)
            listBlocks(kernels.mirrorBlocks16, 16);
    }
    if (f.middleCount() >= 2)
        orderMiddle(f, layout);
    listSources(kernels);
}

void FftPermutation::orderMiddle(const FftFactors& f, const FftLayout& layout)
{
    // After the exchanges the middle digits still run most significant first; their order is
    // reversed by following source_: the middle digit whose values belong at digit d.
    const int count = f.middleCount();
    const int* middle = f.factor.data() + f.squareCount;
    middleProduct_ = std::ptrdiff_t(f.middleProduct());
    std::array<std::ptrdiff_t, 64> passWeight{};
    std::array<std::ptrdiff_t, 64> naturalWeight{};
    passWeight[count - 1] = 1;
    for (int i = count - 2; i >= 0; --i)
        passWeight[i] = passWeight[i + 1] * middle[i + 1];
    naturalWeight[0] = 1;
    for (int i = 1; i < count; ++i)
        naturalWeight[i] = naturalWeight[i - 1] * middle[i - 1];
    std::array<int, 64> digit{};
    std::ptrdiff_t passed = 0;
    std::ptrdiff_t natural = 0;
    for (std::ptrdiff_t k = 0; k < middleProduct_; ++k) {
        source_[natural] = std::uint8_t(passed);
        for (int i = count - 1; i >= 0; --i) {
            passed += passWeight[i];
            natural += naturalWeight[i];
            if (++digit[i] < middle[i])
                break;
            digit[i] = 0;
            passed -= middle[i] * passWeight[i];
            natural -= middle[i] * naturalWeight[i];
        }
    }
    // Everything below the middle digit moves together: the square factors after it and jc.
    below_ = layout.jc;
    for (int i = 0; i < f.squareCount; ++i)
        below_ *= f.factor[i];
}

void FftPermutation::listSources(const FftKernelTable& kernels)
{
    if (tiled_ || kernels.lanes == 1 || layout_.inc != 1 || layout_.jc != 1 || layout_.nt != layout_.ks
        || n_ > MaxGathered || (highToLow_.empty() && middleProduct_ == 1))
        return;
    // The exchanges applied to the positions themselves say where each bin comes from; positions
    // below 2^24 are exact in floats.
    std::vector<float> positions(static_cast<std::size_t>(n_));
    std::vector<float> unused(positions.size());
    for (std::ptrdiff_t k = 0; k < n_; ++k)
        positions[std::size_t(k)] = float(k);
    apply(positions.data(), unused.data());
    gathered_.assign(positions.begin(), positions.end());
}

void FftPermutation::listBlocks(FftKernelTable::MirrorBlocks mirror, std::ptrdiff_t side)
{
    // A tile is s x s blocks of `side` rows and columns, s being the radix of the third high digit
    // (1 or 2, the tiles being at most 32 wide). Block (hs, l0) of tile I takes the rows with that
    // digit hs and the columns with the first low digit l0; it belongs in block (l0, hs) of tile
    // mirror(I), its first two high digits and last two low digits mirrored into each other.
    mirrorBlocks_ = mirror;
    const std::ptrdiff_t s = tile_ / side;
    blockRowStride_ = s * highWeight_;
    for (std::ptrdiff_t inner = 0; inner < std::ptrdiff_t(innerMirror_.size()); ++inner)
        for (std::ptrdiff_t hs = 0; hs < s; ++hs)
            for (std::ptrdiff_t l0 = 0; l0 < s; ++l0) {
                const std::ptrdiff_t mirrored = innerMirror_[std::size_t(inner)];
                const std::ptrdiff_t from = hs * highWeight_ + inner * tile_ + side * l0;
                const std::ptrdiff_t to = l0 * highWeight_ + mirrored * tile_ + side * hs;
                if (from <= to)
                    blocks_.push_back({from, to});
            }
}

void FftPermutation::apply(float* a, float* b) const
{
    if (!gathered_.empty()) {
        gather(a, b);
        return;
    }
    exchangeSquareFactors(a, b);
    reorderSquareFreeFactors(a, b);
}

void FftPermutation::gather(float* a, float* b) const
{
    // One buffer per thread, kept at the longest length it has served, so a transform allocates nothing.
    thread_local std::vector<float> buffer;
    const auto n = std::size_t(n_);
    if (buffer.size() < 2 * n)
        buffer.resize(2 * n);
    float* __restrict toA = buffer.data();
    float* __restrict toB = toA + n;
    for (std::size_t k = 0; k < n; ++k) {
        toA[k] = a[gathered_[k]];
        toB[k] = b[gathered_[k]];
    }
    std::copy_n(toA, n, a);
    std::copy_n(toB, n, b);
}

void FftPermutation::exchangeSquareFactors(float* a, float* b) const
{
    if (highToLow_.empty())
        return;
    if (mirrorBlocks_) {
        mirrorBlocks_(a, blockRowStride_, blocks_.data(), blocks_.size());
        mirrorBlocks_(b, blockRowStride_, blocks_.data(), blocks_.size());
        return;
    }
    if (tiled_) {
        exchangeSquareFactorsByTiles(a);
        exchangeSquareFactorsByTiles(b);
        return;
    }
    // The same pair in every copy of the dimension, for every preceding-dimension offset. Position
    // high · highWeight_ + inner · tile_ + low is walked digit by digit, which spares four divisions each.
    const FftLayout& g = layout_;
    const auto inners = std::ptrdiff_t(innerMirror_.size());
    std::ptrdiff_t position = 0;
    for (std::ptrdiff_t high = 0; high < tile_; ++high)
        for (std::ptrdiff_t inner = 0; inner < inners; ++inner)
            for (std::ptrdiff_t low = 0; low < tile_; ++low, ++position) {
                const std::ptrdiff_t partner = lowToHigh_[std::size_t(low)] * highWeight_
                    + innerMirror_[std::size_t(inner)] * tile_ + highToLow_[std::size_t(high)];
                if (partner <= position)
                    continue;
                const std::ptrdiff_t p = position * g.jc;
                const std::ptrdiff_t q = partner * g.jc;
                for (std::ptrdiff_t outer = 0; outer < g.nt; outer += g.ks) {
                    for (std::ptrdiff_t k = 0; k < g.jc; k += g.inc) {
                        std::swap(a[outer + p + k], a[outer + q + k]);
                        std::swap(b[outer + p + k], b[outer + q + k]);
                    }
                }
            }
}

void FftPermutation::exchangeSquareFactorsByTiles(float* x) const
{
    // Tile `inner` holds the positions with those inner digits: tile_ rows, one per high digit, of
    // tile_ neighbouring values, one per low digit. Its values belong in the tile of the mirrored
    // inner digits, with row and column mirrored into each other. Rows lie a power of two apart
    // and crowd one cache set, so a tile goes through a buffer row by row when its partner
    // overwrites it, and only four rows at a time are written.
    std::array<float, MaxTile * MaxTile> buffer;
    const std::ptrdiff_t t = tile_;
    for (std::ptrdiff_t inner = 0; inner < std::ptrdiff_t(innerMirror_.size()); ++inner) {
        const std::ptrdiff_t partner = innerMirror_[std::size_t(inner)];
        if (partner < inner)
            continue;
        float* tile = x + inner * t;
        float* partnerTile = x + partner * t;
        for (std::ptrdiff_t row = 0; row < t; ++row)
            std::copy_n(tile + row * highWeight_, t, buffer.data() + row * t);
        if (partner != inner)
            fillMirroredTile(partnerTile, highWeight_, tile);
        fillMirroredTile(buffer.data(), t, partnerTile);
    }
}

void FftPermutation::fillMirroredTile(const float* from, std::ptrdiff_t fromRowStride, float* to) const
{
    // The lowest low digit and the highest high digit have radix 4 and trade places, so four rows
    // of four neighbours each are a 4 x 4 transpose: from rows l0·q + r, to rows h0·q + r.
    const std::ptrdiff_t q = tile_ / 4;
    for (std::ptrdiff_t row = 0; row < q; ++row) {
        const float* column = from + highToLow_[std::size_t(row)];
        for (std::ptrdiff_t low = 0; low < q; ++low) {
            // Spelled out rather than looped so the four rows stay in registers.
            const float* in = column + lowToHigh_[std::size_t(4 * low)] * fromRowStride;
            const std::ptrdiff_t inStep = q * fromRowStride;
            FftFloat4 v[4] = {fftLoad<FftFloat4>(in), fftLoad<FftFloat4>(in + inStep),
                              fftLoad<FftFloat4>(in + 2 * inStep), fftLoad<FftFloat4>(in + 3 * inStep)};
            fftTranspose(v);
            float* out = to + row * highWeight_ + 4 * low;
            const std::ptrdiff_t outStep = q * highWeight_;
            fftStore(out, v[0]);
            fftStore(out + outStep, v[1]);
            fftStore(out + 2 * outStep, v[2]);
            fftStore(out + 3 * outStep, v[3]);
        }
    }
}

void FftPermutation::reorderSquareFreeFactors(float* a, float* b) const
{
    if (middleProduct_ == 1)
        return;
    const FftLayout& g = layout_;
    const std::ptrdiff_t pieceLength = MoveBufferSize * g.inc;
    std::array<float, MoveBufferSize> bufferA;
    std::array<float, MoveBufferSize> bufferB;
    std::array<bool, FftMaxSquareFreeProduct> placed{};
    for (std::ptrdiff_t start = 0; start < middleProduct_; ++start) {
        if (placed[start] || source_[start] == start)
            continue;
        for (std::ptrdiff_t outer = 0; outer < g.nt; outer += middleProduct_ * below_) {
            for (std::ptrdiff_t piece = 0; piece < below_; piece += pieceLength) {
                const std::ptrdiff_t length = std::min(pieceLength, below_ - piece);
                const std::ptrdiff_t base = outer + piece;
                for (std::ptrdiff_t i = 0; i < length; i += g.inc) {
                    bufferA[i / g.inc] = a[base + start * below_ + i];
                    bufferB[i / g.inc] = b[base + start * below_ + i];
                }
                std::ptrdiff_t d = start;
                for (; source_[d] != start; d = source_[d])
                    moveRun(a, b, base + d * below_, base + source_[d] * below_, length, g.inc);
                for (std::ptrdiff_t i = 0; i < length; i += g.inc) {
                    a[base + d * below_ + i] = bufferA[i / g.inc];
                    b[base + d * below_ + i] = bufferB[i / g.inc];
                }
            }
        }
        for (std::ptrdiff_t d = start; !placed[d]; d = source_[d])
            placed[d] = true;
    }
}
