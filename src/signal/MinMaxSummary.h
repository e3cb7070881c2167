#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Extremes of a run of samples. A run without any number (empty, or only NaN) has min > max.
struct MinMax {
    float min;
    float max;
    bool empty() const { return min > max; }
};

// The extremes of every 256 and every 65536 samples of a signal, so that the extremes of any range
// cost a scan of its two partial ends plus a walk over whole blocks. NaN samples never become an extreme.
class MinMaxSummary {
public:
    static constexpr uint32_t FineBlock = 256;
    static constexpr uint32_t CoarseBlock = 65536;

    // Scans all `count` samples.
    void rebuild(const float* samples, uint32_t count);
    // After samples first ... last changed (or moved, as a cut moves the tail): refreshes the blocks
    // that cover them. `count` is the signal's count now.
    void refresh(const float* samples, uint32_t count, uint32_t first, uint32_t last);

    // Extremes of samples [first, end).
    MinMax range(const float* samples, uint32_t first, uint32_t end) const;
    // Extremes of the whole signal.
    MinMax overall() const;

    // The direct scan, in independent lanes the compiler vectorises.
    static MinMax scan(const float* values, std::size_t n);

private:
    static MinMax merge(const MinMax* blocks, std::size_t n);

    std::vector<MinMax> fine_;
    std::vector<MinMax> coarse_;
};
