#include "dsp/FftPermutation.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::ptrdiff_t MoveBufferSize = FftMaxPrimeFactor;

// Mirroring the square digits around the middle is its own inverse, so it is a set of swaps:
// lists every pair p < q of positions whose digits mirror each other.
std::vector<std::uint32_t> squareFactorExchanges(const FftFactors& f, std::ptrdiff_t n)
{
    std::vector<std::uint32_t> pairs;
    const int squares = f.squareCount;
    if (squares == 0)
        return pairs;
    // Position digits, most significant first: square factors, the middle as one digit, mirror.
    const int digits = 2 * squares + 1;
    std::array<std::ptrdiff_t, 65> radix{};
    std::array<std::ptrdiff_t, 65> weight{};
    for (int i = 0; i < squares; ++i) {
        radix[i] = f.factor[i];
        radix[digits - 1 - i] = f.factor[i];
    }
    radix[squares] = std::ptrdiff_t(f.middleProduct());
    weight[digits - 1] = 1;
    for (int d = digits - 2; d >= 0; --d)
        weight[d] = weight[d + 1] * radix[d + 1];

    // The pairs are listed in small tiles: the lowest digit of p runs fastest, then its highest
    // digit, which is the lowest of the partner, then the rest. A tile touches few cache lines on
    // both sides (larger tiles pile up in one cache set, their lines lying a power of two apart);
    // the order of disjoint swaps cannot change the result.
    std::array<int, 65> order{};
    order[0] = digits - 1;
    order[1] = 0;
    for (int d = digits - 2, o = 2; d >= 1; --d, ++o)
        order[o] = d;

    std::array<std::ptrdiff_t, 65> digit{};
    std::ptrdiff_t p = 0;
    std::ptrdiff_t partner = 0;
    for (std::ptrdiff_t count = 0; count < n; ++count) {
        if (p < partner) {
            pairs.push_back(std::uint32_t(p));
            pairs.push_back(std::uint32_t(partner));
        }
        for (int i = 0; i < digits; ++i) {
            const int d = order[i];
            const std::ptrdiff_t mirrored = weight[digits - 1 - d];
            p += weight[d];
            partner += mirrored;
            if (++digit[d] < radix[d])
                break;
            digit[d] = 0;
            p -= radix[d] * weight[d];
            partner -= radix[d] * mirrored;
        }
    }
    return pairs;
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

FftPermutation::FftPermutation(const FftFactors& f, const FftLayout& layout)
    : layout_(layout), exchanges_(squareFactorExchanges(f, layout.ks / layout.jc))
{
    const int count = f.middleCount();
    if (count < 2)
        return;
    // After the exchanges the middle digits still run most significant first; their order is
    // reversed by following source_: the middle digit whose values belong at digit d.
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

void FftPermutation::apply(float* a, float* b) const
{
    exchangeSquareFactors(a, b);
    reorderSquareFreeFactors(a, b);
}

void FftPermutation::exchangeSquareFactors(float* a, float* b) const
{
    const FftLayout& g = layout_;
    if (g.jc == 1 && g.nt == g.ks) {
        for (std::size_t i = 0; i < exchanges_.size(); i += 2) {
            std::swap(a[exchanges_[i]], a[exchanges_[i + 1]]);
            std::swap(b[exchanges_[i]], b[exchanges_[i + 1]]);
        }
        return;
    }
    // The same pair in every copy of the dimension, for every preceding-dimension offset.
    for (std::size_t i = 0; i < exchanges_.size(); i += 2) {
        const std::ptrdiff_t p = std::ptrdiff_t(exchanges_[i]) * g.jc;
        const std::ptrdiff_t q = std::ptrdiff_t(exchanges_[i + 1]) * g.jc;
        for (std::ptrdiff_t outer = 0; outer < g.nt; outer += g.ks) {
            for (std::ptrdiff_t k = 0; k < g.jc; k += g.inc) {
                std::swap(a[outer + p + k], a[outer + q + k]);
                std::swap(b[outer + p + k], b[outer + q + k]);
            }
        }
    }
}

void FftPermutation::reorderSquareFreeFactors(float* a, float* b) const
{
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
