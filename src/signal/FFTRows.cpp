#include "signal/FFTRows.h"

#include <algorithm>
#include <limits>
#include <cstddef>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

#include "base/MachineMemory.h"

namespace {
constexpr std::size_t HugePage = std::size_t(2) << 20;
}  // namespace

bool FFTRows::fits(uint64_t rows, uint64_t bins)
{
    uint64_t values = 0;
    uint64_t bytes = 0;
    if (__builtin_mul_overflow(rows, bins, &values) || __builtin_mul_overflow(values, sizeof(float), &bytes))
        return false;
    // A matrix larger than the machine's memory is refused before the system is asked for it.
    return bytes <= std::min<uint64_t>(machineMemoryBytes(), uint64_t(std::numeric_limits<std::ptrdiff_t>::max()))
           && rows <= std::vector<float*>().max_size();
}

FFTRows::FFTRows(uint32_t rows, uint32_t bins) : bins_(bins)
{
    if (!fits(rows, bins))
        throw std::bad_alloc();
    // Left unset: a Time FFT writes every row before it is read, and zeroing a large matrix first costs
    // as much as computing it. Large blocks sit on huge pages where the system has them: a fault per
    // 4 KiB page would cost a tenth of a Time FFT and keeps its threads waiting on each other.
    const std::size_t bytes = std::size_t(rows) * bins * sizeof(float);
    const std::size_t alignment = bytes >= HugePage ? HugePage : alignof(std::max_align_t);
    void* block = std::aligned_alloc(alignment, (bytes + alignment - 1) / alignment * alignment);
    if (!block && bytes > 0)
        throw std::bad_alloc();
    if (alignment == HugePage)
        madvise(block, bytes, MADV_HUGEPAGE);
    block_.reset(static_cast<float*>(block));
    rows_.resize(rows);
    for (uint32_t r = 0; r < rows; ++r)
        rows_[r] = block_.get() + std::size_t(r) * bins;
}

void FFTRows::fill(float value)
{
    std::fill_n(block_.get(), rows_.size() * bins_, value);
    extremes_.clear();
}

namespace {
// One place towards the front, the first last; nothing for an empty table.
template <typename Iterator>
void turn(Iterator first, Iterator last)
{
    if (first != last)
        std::rotate(first, first + 1, last);
}
}  // namespace

void FFTRows::rotateTowardsFirst()
{
    turn(rows_.begin(), rows_.end());
    turn(extremes_.begin(), extremes_.end());
}

void FFTRows::rotateTowardsLast()
{
    turn(rows_.rbegin(), rows_.rend());
    turn(extremes_.rbegin(), extremes_.rend());
}
