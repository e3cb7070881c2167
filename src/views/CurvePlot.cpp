#include "views/CurvePlot.h"

#include <algorithm>
#include <cmath>

namespace {
// Values far outside the Y range still give coordinates a painter can take.
constexpr double CoordinateLimit = 1e7;

int truncated(double value)
{
    return static_cast<int>(std::clamp(value, -CoordinateLimit, CoordinateLimit));
}
}  // namespace

CurvePlot::CurvePlot(int width, uint32_t visibleCount, float yMin, float yMax, bool logX)
    : width_(width), count_(visibleCount), yMin_(yMin), yMax_(yMax), logX_(logX)
{
}

bool CurvePlot::drawable(long double sampleRate, bool invalid, uint32_t visibleCount)
{
    return sampleRate != 0 && !invalid && visibleCount >= 4;
}

int CurvePlot::valueToY(float value) const
{
    return truncated(1000.0 - (value - yMin_) * 1000.0 / (yMax_ - yMin_));
}

int CurvePlot::sampleToX(uint32_t k) const
{
    // k * W / (n - 1) in whole numbers, so the last sample lands exactly on W.
    const int x = count_ > 1 ? int(int64_t(k) * width_ / int64_t(count_ - 1)) : 0;
    return logX_ ? logX(x, width_) : x;
}

int CurvePlot::logX(int x, int width)
{
    if (x <= 0)
        return 0;
    return int(width * std::log2(double(x) + 1) / std::log2(double(width) + 2));
}

int CurvePlot::filledRight(int width, uint32_t filled, uint32_t maxLength)
{
    return maxLength ? int(int64_t(width) * filled / maxLength) - 1 : width;
}

bool CurvePlot::drawsColumns() const
{
    return !logX_ && int64_t(count_) > 3 * int64_t(width_);
}

std::vector<CurvePoint> CurvePlot::polyline(const float* visible, uint32_t first, uint32_t end) const
{
    std::vector<CurvePoint> points;
    points.reserve(end > first ? end - first : 0);
    for (uint32_t k = first; k < end; ++k)
        points.push_back({sampleToX(k), valueToY(visible[k])});
    return points;
}

// Column c covers the relative indices i with c * spc <= i < (c + 1) * spc, spc = (n - 1) / (W - 1);
// both bounds are kept in whole numbers so no sample is lost to rounding.
std::vector<CurveColumn> CurvePlot::columns(const Extremes& extremes, int first, int last) const
{
    const int64_t span = int64_t(count_) - 1;
    const int64_t parts = width_ - 1;
    first = std::max(first, 0);
    last = std::min<int>(last, int(parts) - 1);
    std::vector<CurveColumn> result;
    result.reserve(std::max(last - first + 1, 0));
    for (int64_t c = first; c <= last; ++c) {
        const int64_t from = c * span / parts;
        const int64_t end = ((c + 1) * span + parts - 1) / parts;
        const MinMax range = extremes(uint32_t(from), uint32_t(end));
        if (!range.empty())
            result.push_back({int(c), valueToY(range.max), valueToY(range.min)});
    }
    return result;
}

int CurvePlot::columnOf(uint32_t k) const
{
    return count_ > 1 ? int(int64_t(k) * (width_ - 1) / (int64_t(count_) - 1)) : 0;
}
