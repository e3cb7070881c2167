#pragma once
#include <cstdint>

// The machine's physical memory in bytes. A block larger than this can never be filled: the system
// would grant it and then end the process while it is filled, so it is refused as a failed allocation.
uint64_t machineMemoryBytes();
