#pragma once
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

// While an object lives the process can map at most `extra` bytes more than it has mapped now, so a
// large allocation fails as it does on a machine without the memory.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t extra)
    {
        getrlimit(RLIMIT_AS, &previous_);
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
