#pragma once
// The machine's physical memory in bytes.
#include <cstddef>
#include <cstdint>

// A block larger than this can never be filled: the system would grant it and then end the process while it
// is filled, so it is refused as a failed allocation.
uint64_t machineMemoryBytes();

// The size of the pages that readyForFilling advises.
inline constexpr std::size_t HugePageBytes = std::size_t(1) << 21;

// Readies a newly allocated block that is filled right away. The whole 2 MiB pages inside it are advised
// as huge pages, which spares most page faults; the small pages at its ends, which no huge page covers,
// are faulted in with one call rather than one fault each (a fault costs far more than the page's share
// of that call). Contents are left alone; a kernel without either feature ignores the advice.
void readyForFilling(void* block, std::size_t bytes);
