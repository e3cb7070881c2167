#include "signal/MinMaxSummary.h"

#include <algorithm>
#include <limits>

namespace {
constexpr uint32_t FinePerCoarse = MinMaxSummary::CoarseBlock / MinMaxSummary::FineBlock;
constexpr MinMax Nothing{std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};

constexpr auto larger = MinMaxLanes::larger;
constexpr auto smaller = MinMaxLanes::smaller;

uint32_t blocksOf(uint32_t count, uint32_t block)
{
    return uint32_t((uint64_t(count) + block - 1) / block);
}
}  // namespace

MinMax MinMaxSummary::scan(const float* values, std::size_t n)
{
    constexpr std::size_t Lanes = MinMaxLanes::Count;
    MinMaxLanes lanes;
    std::size_t i = 0;
    for (; i + Lanes <= n; i += Lanes)
        for (std::size_t lane = 0; lane < Lanes; ++lane)
            lanes.take(lane, values[i + lane]);
    for (std::size_t lane = 0; i < n; ++i, ++lane)
        lanes.take(lane, values[i]);
    return lanes.merged();
}

MinMax MinMaxSummary::scanInOrder(const float* values, std::size_t n)
{
    MinMax e = scan(values, n);
    if (e.min == 0 || e.max == 0) {
        e = Nothing;
        for (std::size_t j = 0; j < n; ++j) {
            e.max = std::max(e.max, values[j]);
            e.min = std::min(e.min, values[j]);
        }
    }
    return e;
}

MinMax MinMaxSummary::merge(const MinMax* blocks, std::size_t n)
{
    MinMax result = Nothing;
    for (std::size_t b = 0; b < n; ++b) {
        result.max = larger(blocks[b].max, result.max);
        result.min = smaller(blocks[b].min, result.min);
    }
    return result;
}

void MinMaxSummary::rebuild(const float* samples, uint32_t count)
{
    fine_.clear();
    coarse_.clear();
    if (count)
        refresh(samples, count, 0, count - 1);
}

void MinMaxSummary::refresh(const float* samples, uint32_t count, uint32_t first, uint32_t last)
{
    fine_.resize(blocksOf(count, FineBlock));
    coarse_.resize(blocksOf(count, CoarseBlock));
    if (count == 0 || first >= count)
        return;
    last = std::min(last, count - 1);
    for (uint32_t b = first / FineBlock; b <= last / FineBlock; ++b) {
        const uint32_t start = b * FineBlock;
        fine_[b] = scan(samples + start, std::min(FineBlock, count - start));
    }
    for (uint32_t b = first / CoarseBlock; b <= last / CoarseBlock; ++b) {
        const std::size_t start = std::size_t(b) * FinePerCoarse;
        coarse_[b] = merge(fine_.data() + start, std::min<std::size_t>(FinePerCoarse, fine_.size() - start));
    }
}

MinMaxSummary MinMaxSummary::fromFineBlocks(std::vector<MinMax> fine)
{
    MinMaxSummary summary;
    summary.fine_ = std::move(fine);
    summary.coarse_.resize((summary.fine_.size() + FinePerCoarse - 1) / FinePerCoarse);
    for (std::size_t b = 0; b < summary.coarse_.size(); ++b) {
        const std::size_t start = b * FinePerCoarse;
        summary.coarse_[b] =
            merge(summary.fine_.data() + start, std::min<std::size_t>(FinePerCoarse, summary.fine_.size() - start));
    }
    return summary;
}

MinMax MinMaxSummary::range(const float* samples, uint32_t first, uint32_t end) const
{
    // Short ranges, and ranges the summary does not cover, are scanned directly.
    if (end <= first || end - first < 2 * FineBlock || uint64_t(end) > uint64_t(fine_.size()) * FineBlock)
        return scan(samples + first, end > first ? end - first : 0);
    const uint32_t fineFirst = (first + FineBlock - 1) / FineBlock;
    const uint32_t fineEnd = end / FineBlock;
    MinMax result = scan(samples + first, std::size_t(fineFirst) * FineBlock - first);
    const auto add = [&result](MinMax part) {
        result.max = larger(part.max, result.max);
        result.min = smaller(part.min, result.min);
    };
    add(scan(samples + std::size_t(fineEnd) * FineBlock, end - std::size_t(fineEnd) * FineBlock));
    const uint32_t coarseFirst = (fineFirst + FinePerCoarse - 1) / FinePerCoarse;
    const uint32_t coarseEnd = fineEnd / FinePerCoarse;
    if (coarseFirst >= coarseEnd) {
        add(merge(fine_.data() + fineFirst, fineEnd - fineFirst));
        return result;
    }
    add(merge(fine_.data() + fineFirst, std::size_t(coarseFirst) * FinePerCoarse - fineFirst));
    add(merge(coarse_.data() + coarseFirst, coarseEnd - coarseFirst));
    add(merge(fine_.data() + std::size_t(coarseEnd) * FinePerCoarse, fineEnd - std::size_t(coarseEnd) * FinePerCoarse));
    return result;
}

MinMax MinMaxSummary::overall() const
{
    return merge(coarse_.data(), coarse_.size());
}
