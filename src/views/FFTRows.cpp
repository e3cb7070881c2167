#include "views/FFTRows.h"

#include <algorithm>
#include <limits>
#include <new>

bool FFTRows::fits(uint64_t rows, uint64_t bins)
{
    uint64_t values = 0;
    uint64_t bytes = 0;
    return !__builtin_mul_overflow(rows, bins, &values) && !__builtin_mul_overflow(values, sizeof(float), &bytes)
           && bytes <= uint64_t(std::numeric_limits<std::ptrdiff_t>::max()) && rows <= std::vector<float*>().max_size();
}

FFTRows::FFTRows(uint32_t rows, uint32_t bins) : bins_(bins)
{
    if (!fits(rows, bins))
        throw std::bad_alloc();
    // Left unset: a Time FFT writes every row before it is read, and zeroing a large matrix first costs
    // as much as computing it.
    block_ = std::make_unique_for_overwrite<float[]>(std::size_t(rows) * bins);
    rows_.resize(rows);
    for (uint32_t r = 0; r < rows; ++r)
        rows_[r] = block_.get() + std::size_t(r) * bins;
}

void FFTRows::fill(float value)
{
    std::fill_n(block_.get(), rows_.size() * bins_, value);
}

void FFTRows::rotateTowardsFirst()
{
    if (!rows_.empty())
        std::rotate(rows_.begin(), rows_.begin() + 1, rows_.end());
}

void FFTRows::rotateTowardsLast()
{
    if (!rows_.empty())
        std::rotate(rows_.rbegin(), rows_.rbegin() + 1, rows_.rend());
}
