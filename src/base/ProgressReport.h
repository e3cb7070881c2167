#pragma once
// How far a long computation has come, for a person who may want to stop it.
#include <cstdint>

class ProgressReport {
public:
    virtual ~ProgressReport() = default;
    // `done` of `total` steps are complete; false when the person asked to stop.
    virtual bool advance(uint64_t done, uint64_t total) = 0;
};
