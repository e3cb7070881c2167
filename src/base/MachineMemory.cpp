#include "base/MachineMemory.h"

#include <limits>
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
