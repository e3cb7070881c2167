#include "instruments/InstrumentMeasures.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "views/FFTSignal.h"

namespace {
template <class Better>
InstrumentMeasures::Extreme extreme(std::span<const float> samples, Better better)
{
    InstrumentMeasures::Extreme found{std::numeric_limits<float>::quiet_NaN(), 0};
    bool any = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float x = samples[i];
        if (std::isnan(x))
            continue;
        if (!any || better(x, found.value)) {
            found = {x, uint32_t(i)};
            any = true;
        }
    }
    return found;
}

// 20 ln(ratio), or 0 where that is no finite number.
double decibelsOr0(double ratio)
{
    if (!(ratio > 0))
        return 0;
    const double result = 20 * std::log(ratio);
    return std::isfinite(result) ? result : 0;
}
}  // namespace

namespace InstrumentMeasures {

Extreme maximum(std::span<const float> samples)
{
    return extreme(samples, [](float x, float m) { return x > m; });
}

Extreme minimum(std::span<const float> samples)
{
    return extreme(samples, [](float x, float m) { return x < m; });
}

double sumOfMagnitudes(std::span<const float> samples)
{
    double sum = 0;
    for (const float x : samples)
        sum += std::fabs(double(x));
    return sum;
}

double rms(std::span<const float> samples)
{
    if (samples.empty())
        return 0;
    double sum = 0;
    for (const float x : samples)
        sum += double(x) * double(x);
    return std::sqrt(sum / double(samples.size()));
}

double rmsAboutMean(std::span<const float> samples)
{
    if (samples.empty())
        return 0;
    const auto n = double(samples.size());
    double total = 0;
    for (const float x : samples)
        total += x;
    const double mean = total / n;
    double sum = 0;
    for (const float x : samples) {
        const double d = x - mean;
        sum += d * d;
    }
    return std::sqrt(sum / n);
}

double thd(std::span<const float> samples)
{
    if (samples.empty())
        return 0;
    const double first = samples[0];
    double above = 0;
    for (const float x : samples)
        if (x > first)
            above += x;
    const double rest = above - first;
    return rest == 0 ? 0 : decibelsOr0(first / rest);
}

double snr(std::span<const float> samples)
{
    if (samples.empty())
        return 0;
    const double largest = maximum(samples).value;
    double total = 0;
    for (const float x : samples)
        total += x;
    const double rest = total - largest;
    if (rest == 0)
        return 0;
    return decibelsOr0(largest / (rest / double(samples.size() - 1)));
}

double bandSum(const FFTSignal& data, long double from, long double to)
{
    const long double f0 = data.binY(0);
    const long double step = data.binStep;
    if (data.rows() == 0 || data.bins() == 0 || !(step > 0))
        return 0;
    // The cells the window shows: its level's rows, and of the band the bins inside the level's own range.
    const ViewLevel& level = data.level();
    const long double first = std::max(std::ceil((from - f0) / step), (long double)level.firstBin);
    const long double last = std::min(std::floor((to - f0) / step), (long double)level.lastBin);
    // A band beside the bins, or a NaN bound, holds no cell.
    if (!(first <= last))
        return 0;
    double sum = 0;
    for (int32_t r = level.firstRow; r <= level.lastRow; ++r) {
        const float* row = data.row(uint32_t(r));
        for (auto j = uint32_t(first); j <= uint32_t(last); ++j)
            sum += row[j];
    }
    return sum;
}

}  // namespace InstrumentMeasures
