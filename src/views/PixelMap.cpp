#include "views/PixelMap.h"

#include <algorithm>
#include <cmath>

#include "views/PlotSpace.h"

PixelMap::PixelMap(int clientWidth, int clientHeight, bool axes, bool logX, uint32_t zoomStart,
                   uint32_t visibleCount, float yMin, float yMax)
    : width_(clientWidth), height_(clientHeight), f_(axes ? 1.1 : 1.0), logX_(logX), zoomStart_(zoomStart),
      count_(visibleCount), yMin_(yMin), yMax_(yMax)
{
    const PlotSpace space = PlotSpace::of(clientWidth, clientHeight, axes);
    plotLeft_ = space.toDeviceX(0);
    plotRight_ = space.toDeviceX(clientWidth);
    plotBottom_ = space.toDeviceY(PlotSpace::PlotHeight);
}

int PixelMap::sampleToX(int64_t index) const
{
    const double left = width_ * (f_ - 1);
    const double x = double(index - int64_t(zoomStart_)) * (width_ / f_) / (double(count_) - 1) + left;
    if (!logX_)
        return int(x);
    if (x <= 0)
        return 0;
    const double g = std::trunc(width_ / f_);
    return int(std::trunc(g * f_) * (f_ - 1) + std::trunc(g * std::log2(x - left + 1) / std::log2(g + 2)));
}

int64_t PixelMap::xToSample(int x) const
{
    const double left = width_ * (f_ - 1);
    double device = x;
    if (logX_) {
        const double e = std::trunc(width_ * f_);
        const double g = std::trunc(f_ * x - e * (f_ - 1));
        device = std::trunc((std::exp2(g * std::log2(width_ + 2.0) / width_) + e * (f_ - 1)) / f_);
    }
    device = std::max(device, left);
    return int64_t(std::floor(zoomStart_ + (device - left) * (double(count_) - 1) / (width_ / f_) + 0.5));
}

int PixelMap::valueToY(float value) const
{
    return int(height_ / f_ - (value - yMin_) * height_ / ((yMax_ - yMin_) * f_));
}

uint32_t PixelMap::clamped(int64_t index) const
{
    return uint32_t(std::clamp<int64_t>(index, zoomStart_, int64_t(zoomStart_) + count_ - 1));
}

std::pair<uint32_t, uint32_t> PixelMap::zoomRange(int x1, int x2) const
{
    const uint32_t a = clamped(xToSample(x1));
    const uint32_t b = clamped(xToSample(x2));
    return {std::min(a, b), std::max(a, b)};
}

std::pair<uint32_t, uint32_t> PixelMap::editRange(int x1, int x2) const
{
    const double span = plotRight_ - plotLeft_;
    const auto index = [&](int x) {
        return clamped(zoomStart_ + int64_t(std::trunc((double(count_) - 1) / span * (x - plotLeft_))));
    };
    const uint32_t a = index(x1);
    const uint32_t b = index(x2);
    return {std::min(a, b), std::max(a, b)};
}

std::optional<uint32_t> PixelMap::pasteOffset(int cursorX) const
{
    if (cursorX < plotLeft_)
        return std::nullopt;
    return uint32_t(std::trunc(double(cursorX - plotLeft_) * (double(count_) - 1) / (plotRight_ - plotLeft_)));
}
