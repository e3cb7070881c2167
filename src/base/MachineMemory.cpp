#include "base/MachineMemory.h"

#include <limits>
#include <sys/mman.h>
#include <unistd.h>

uint64_t machineMemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    // A system that does not say sets no bound.
    if (pages <= 0 || pageBytes <= 0)
        return std::numeric_limits<uint64_t>::max();
    return uint64_t(pages) * uint64_t(pageBytes);
}

namespace {
// Prefaults the pages that hold [first, last) for writing, without touching their contents.
void prefault(std::uintptr_t first, std::uintptr_t last, std::uintptr_t page)
{
    first &= ~(page - 1);
    last = (last + page - 1) & ~(page - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
}
}  // namespace

void readyForFilling(void* block, std::size_t bytes)
{
    // A block of a few pages gains nothing worth a call.
    constexpr std::size_t Worthwhile = std::size_t(1) << 16;
    if (!block || bytes < Worthwhile)
        return;
    constexpr std::uintptr_t HugePage = HugePageBytes;
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t end = start + bytes;
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = end & ~(HugePage - 1);
    if (last <= first) {
        prefault(start, end, page);
        return;
    }
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    prefault(start, first, page);
    prefault(last, end, page);
}
