#pragma once
// The extremes of a signal by blocks, so that the extremes of any range cost little.
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// Extremes of a run of samples. A run without any number (empty, or only NaN) has min > max.
struct MinMax {
    float min;
    float max;
    bool empty() const { return min > max; }
};

// Extremes gathered in one vector's worth of lanes, which the compiler keeps in registers while a
// loop feeds them four values at a time (all of it inline, or the lanes would live in memory).
class MinMaxLanes {
public:
    static constexpr std::size_t Count = 4;

    // `v > m ? v : m` keeps m when v is NaN, and maps onto the processor's max instruction.
    static float larger(float v, float m) { return v > m ? v : m; }
    static float smaller(float v, float m) { return v < m ? v : m; }

    void take(std::size_t lane, float value)
    {
        high_[lane] = larger(value, high_[lane]);
        low_[lane] = smaller(value, low_[lane]);
    }
    MinMax merged() const
    {
        MinMax result{low_[0], high_[0]};
        for (std::size_t lane = 1; lane < Count; ++lane) {
            result.max = larger(high_[lane], result.max);
            result.min = smaller(low_[lane], result.min);
        }
        return result;
    }

private:
    static constexpr float Infinity = std::numeric_limits<float>::infinity();
    std::array<float, Count> low_{Infinity, Infinity, Infinity, Infinity};
    std::array<float, Count> high_{-Infinity, -Infinity, -Infinity, -Infinity};
};

// It keeps the extremes of every 256 and every 65536 samples, so a range costs a scan of its two partial
// ends plus a walk over whole blocks. NaN samples never become an extreme.
class MinMaxSummary {
public:
    static constexpr uint32_t FineBlock = 256;
    static constexpr uint32_t CoarseBlock = 65536;

    // Scans all `count` samples.
    void rebuild(const float* samples, uint32_t count);
    // After samples first ... last changed (or moved, as a cut moves the tail): refreshes the blocks
    // that cover them. `count` is the signal's count now.
    void refresh(const float* samples, uint32_t count, uint32_t first, uint32_t last);
    // The summary of samples whose producer found the extremes of every fine block while it wrote them
    // (the last block may be shorter): no scan.
    static MinMaxSummary fromFineBlocks(std::vector<MinMax> fine);

    // Extremes of samples [first, end).
    MinMax range(const float* samples, uint32_t first, uint32_t end) const;
    // Extremes of the whole signal.
    MinMax overall() const;

    // The direct scan, in lanes the compiler vectorises.
    static MinMax scan(const float* values, std::size_t n);
    // What a scan in order from the infinities finds: the lanes' extremes, unless one is a zero, when
    // the values are scanned again in order so that the first of two equal zeros is kept.
    static MinMax scanInOrder(const float* values, std::size_t n);

private:
    static MinMax merge(const MinMax* blocks, std::size_t n);

    std::vector<MinMax> fine_;
    std::vector<MinMax> coarse_;
};
