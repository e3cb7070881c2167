#pragma once
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

// AddressSanitizer reserves its shadow memory up front and ends the process where an allocation fails
// instead of throwing, so under it no limit is set and tests that need a failing allocation skip.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool AllocationsCanFail = false;
#else
constexpr bool AllocationsCanFail = true;
#endif

// While an object lives the process can map at most `extra` bytes more than it has mapped now, so a
// large allocation fails as it does on a machine without the memory.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t extra)
    {
        getrlimit(RLIMIT_AS, &previous_);
        if (!AllocationsCanFail)
            return;
        const rlimit limit{mappedNow() + extra, previous_.rlim_max};
        setrlimit(RLIMIT_AS, &limit);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &previous_); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    static rlim_t mappedNow()
    {
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        return pages * rlim_t(sysconf(_SC_PAGESIZE));
    }

    rlimit previous_{};
};
