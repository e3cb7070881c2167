#include "views/MeshSampling.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "views/FFTSignal.h"

namespace {
// first ... last when they are at most `limit`, else `limit` of them spread evenly, both ends included.
std::vector<int> spread(int first, int last, int limit)
{
    const int count = last - first + 1;
    std::vector<int> chosen;
    if (count <= limit || limit < 2) {
        for (int i = first; i <= last; ++i)
            chosen.push_back(i);
        return chosen;
    }
    for (int i = 0; i < limit; ++i)
        chosen.push_back(first + int((long long)i * (count - 1) / (limit - 1)));
    return chosen;
}

// A number replaces what is not one and any smaller number; what is not a number replaces nothing.
void keepLarger(float& largest, float value)
{
    if (std::isnan(largest) || value > largest)
        largest = value;
}

// The end (exclusive) of the group that sample i stands for.
int groupEnd(const std::vector<int>& chosen, std::size_t i)
{
    return i + 1 < chosen.size() ? chosen[i + 1] : chosen[i] + 1;
}
}  // namespace

MeshSampling::MeshSampling(const FFTSignal& data, const ViewLevel& level, int maxLines)
    : rows_(spread(level.firstRow, level.lastRow, maxLines)), bins_(spread(level.firstBin, level.lastBin, maxLines))
{
    values_.reserve(rows_.size() * bins_.size());
    std::vector<float> column(std::size_t(level.lastBin - level.firstBin + 1));
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        std::fill(column.begin(), column.end(), std::numeric_limits<float>::quiet_NaN());
        for (int r = rows_[k]; r < groupEnd(rows_, k); ++r) {
            const float* values = data.row(uint32_t(r)) + level.firstBin;
            for (std::size_t j = 0; j < column.size(); ++j)
                keepLarger(column[j], values[j]);
        }
        for (std::size_t m = 0; m < bins_.size(); ++m) {
            float largest = std::numeric_limits<float>::quiet_NaN();
            for (int j = bins_[m]; j < groupEnd(bins_, m); ++j)
                keepLarger(largest, column[std::size_t(j - level.firstBin)]);
            values_.push_back(largest);
        }
    }
}
