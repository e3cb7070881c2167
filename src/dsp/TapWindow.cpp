#include "dsp/TapWindow.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// The window formulas take 2π as this value.
constexpr double TwoPi = 6.2831852;

double windowValue(int32_t type, uint32_t i, uint32_t length)
{
    // A one-value window has no span; its single value then sits at angle 0.
    const double span = length > 1 ? double(length - 1) : 1.0;
    switch (type) {
    case TapWindow::Hanning:
        // No zero end points: the cosine runs over L + 1 intervals.
        return 0.5 - 0.5 * std::cos(TwoPi * (i + 1) / (length + 1));
    case TapWindow::Hamming:
        return 0.54 - 0.46 * std::cos(TwoPi * i / span);
    case TapWindow::Blackman:
        return 0.42 - 0.5 * std::cos(TwoPi * i / span) + 0.08 * std::cos(2 * TwoPi * i / span);
    case TapWindow::Triangle: {
        const double d = 2.0 * (i + 1) / (length + 1);
        return i <= (length - 1) / 2 ? d : 2 - d;
    }
    default:
        return 1.0;
    }
}

// Scales the kernel to sum 1. A one-value kernel is the identity whatever its value; a kernel whose
// values cancel (such as 1, -2, 1 taken from a signal) has no sum to scale by and is used as it is.
void normalise(std::vector<double>& values)
{
    if (values.size() == 1) {
        values[0] = 1;
        return;
    }
    const double sum = std::accumulate(values.begin(), values.end(), 0.0);
    const double magnitude = std::accumulate(values.begin(), values.end(), 0.0,
                                             [](double total, double v) { return total + std::fabs(v); });
    if (!(std::fabs(sum) > 1e-6 * magnitude) || !std::isfinite(sum))
        return;
    for (double& v : values)
        v /= sum;
}
}  // namespace

void TapWindow::set(int32_t type, uint32_t length, bool normalised)
{
    // Smoothing kernels are centred, so a normalised kernel has odd length.
    const uint32_t effective = normalised && length % 2 == 0 ? length + 1 : length;
    if (type == type_ && effective == values_.size() && normalised == normalised_)
        return;
    // Made aside, so that a failed allocation leaves the kernel as it was.
    std::vector<double> values(effective);
    for (uint32_t i = 0; i < effective; ++i)
        values[i] = windowValue(type, i, effective);
    if (normalised)
        normalise(values);
    values_.swap(values);
    type_ = type;
    normalised_ = normalised;
}

void TapWindow::setSmoothing(int32_t type, int32_t length, uint32_t count)
{
    set(type, uint32_t(std::clamp<int64_t>(length, 1, std::max<uint32_t>(count, 1))), true);
}

void TapWindow::setFromSignal(std::span<const float> values)
{
    type_ = FromSignal;
    normalised_ = true;
    values_.assign(values.begin(), values.end());
    normalise(values_);
}

void TapWindow::apply(float* data) const
{
    for (std::size_t i = 0; i < values_.size(); ++i)
        data[i] = float(data[i] * values_[i]);
}

void TapWindow::smooth(const float* data, float* result, uint32_t count) const
{
    const std::size_t length = values_.size();
    if (length >= count) {
        std::copy_n(data, count, result);
        return;
    }
    const std::ptrdiff_t half = std::ptrdiff_t(length / 2);
    const std::ptrdiff_t c = count;
    // Positions beyond an end read the data mirrored about that end, the end sample repeated.
    const auto at = [&](std::ptrdiff_t p) { return p < 0 ? data[-p - 1] : p >= c ? data[2 * c - p - 1] : data[p]; };
    for (std::ptrdiff_t k = 0; k < c; ++k) {
        double sum = 0;
        for (std::size_t m = 0; m < length; ++m)
            sum += values_[m] * at(k + std::ptrdiff_t(m) - half);
        result[k] = float(sum);
    }
}

double TapWindow::gain(int32_t type)
{
    switch (type) {
    case Hanning:
        return 1.5;
    case Hamming:
        return 1.4;
    default:
        return 1.0;
    }
}
