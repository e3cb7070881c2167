#include "signal/Signal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "base/MachineMemory.h"
#include "signal/SignalKind.h"
#include "signal/SignalOwner.h"

Signal::Signal(SignalOwner* owner, int32_t kind, std::unique_ptr<float[]> block, uint32_t count,
               long double sampleRate, long double xOffset)
    : owner_(owner), sampleRate_(sampleRate), xOffset_(xOffset), block_(std::move(block)), kind_(kind),
      samples_(block_.get()), count_(count)
{
    resetZoom();
    updateYRange();
}

Signal::Signal(SignalOwner* owner, int32_t kind, std::unique_ptr<float[]> block, uint32_t count,
               long double sampleRate, MinMaxSummary summary)
    : owner_(owner), sampleRate_(sampleRate), xOffset_(0), block_(std::move(block)), kind_(kind),
      samples_(block_.get()), count_(count), summary_(std::move(summary))
{
    resetZoom();
    yRangeFromSummary();
}

Signal::Signal(SignalOwner* owner, int32_t kind, const float* samples, uint32_t count, long double sampleRate,
               long double xOffset)
    : Signal(owner, kind, [&] {
          auto block = allocateSamples(count);
          if (count)
              std::memcpy(block.get(), samples, std::size_t(count) * sizeof(float));
          return block;
      }(), count, sampleRate, xOffset)
{
}

Signal::Signal(SignalOwner* owner, int32_t kind) : Signal(owner, kind, nullptr, 0, 0) {}

Signal::~Signal() = default;

std::unique_ptr<Signal> Signal::acquisitionBuffer(SignalOwner* owner, uint32_t pageLength, uint32_t pages,
                                                  long double sampleRate)
{
    const std::size_t total = std::size_t(pageLength) * pages;
    auto block = allocateSamples(total);
    std::fill_n(block.get(), total, 0.0f);
    auto signal = std::make_unique<Signal>(owner, SignalKind::Acquisition, std::move(block), uint32_t(total), sampleRate);
    signal->pageLength_ = pageLength;
    signal->lastPage_ = int32_t(pages) - 1;
    signal->pageIndex_ = 0;
    signal->zoomStart_[1] = 0;
    signal->zoomEnd_[1] = pageLength - 1;
    signal->zoomLevel_ = signal->zoomDepth_ = 1;
    return signal;
}

std::unique_ptr<float[]> Signal::allocateSamples(std::size_t count)
{
    if (count > machineMemoryBytes() / sizeof(float))
        throw std::bad_alloc();
    auto block = std::make_unique_for_overwrite<float[]>(count);
    // Blocks are filled right away.
    readyForFilling(block.get(), count * sizeof(float));
    return block;
}

void Signal::adoptExternalSamples(float* samples, uint32_t count)
{
    block_.reset();
    samples_ = samples;
    count_ = count;
    resetZoom();
}

int64_t Signal::indexOfX(long double x) const
{
    return int64_t(std::floor((x - xOffset_) * sampleRate_ + 0.5L));
}

void Signal::setYRange(float max, float min)
{
    yMax_ = max;
    yMin_ = min;
}

void Signal::updateYRange()
{
    summary_.rebuild(samples_, count_);
    yRangeFromSummary();
}

void Signal::samplesChanged(uint32_t first, uint32_t last)
{
    summary_.refresh(samples_, count_, first, last);
    yRangeFromSummary();
}

void Signal::yRangeFromSummary()
{
    if (owner_ && owner_->fixedMinMax()) {
        const Signal* current = owner_->currentSignal();
        if (current && current != this) {
            yMax_ = current->yMax_;
            yMin_ = current->yMin_;
            return;
        }
    }
    if (count_ == 0) {
        yMax_ = 1;
        yMin_ = -1;
        return;
    }
    // A signal of NaN only has no extremes; it is then treated as a constant 0.
    MinMax range = summary_.overall();
    if (range.empty())
        range = {0, 0};
    if (range.max == range.min) {
        range.max += 1;
        range.min -= 1;
    }
    yMax_ = range.max;
    yMin_ = range.min;
}

void Signal::resetZoom()
{
    zoomLevel_ = zoomDepth_ = 0;
    zoomStart_[0] = 0;
    zoomEnd_[0] = count_ ? count_ - 1 : 0;
}

bool Signal::zoomIn(uint32_t first, uint32_t last)
{
    const uint32_t start = zoomStart_[zoomLevel_];
    const uint32_t end = zoomEnd_[zoomLevel_];
    if (start >= first && last >= end)
        return false;
    if (last < first || last - first < 10 || zoomLevel_ == MaxZoomLevel || last > count_ - 1)
        return false;
    zoomDepth_ = ++zoomLevel_;
    zoomStart_[zoomLevel_] = first;
    zoomEnd_[zoomLevel_] = last;
    return true;
}

bool Signal::zoomBack()
{
    if (zoomLevel_ == 0)
        return false;
    --zoomLevel_;
    return true;
}

bool Signal::zoomForward()
{
    if (zoomLevel_ >= zoomDepth_ || zoomLevel_ > MaxZoomLevel - 1)
        return false;
    ++zoomLevel_;
    return true;
}

bool Signal::scrollLeft(uint32_t n)
{
    if (zoomStart_[zoomLevel_] < n)
        return false;
    zoomStart_[zoomLevel_] -= n;
    zoomEnd_[zoomLevel_] -= n;
    return true;
}

bool Signal::scrollRight(uint32_t n)
{
    if (uint64_t(n) + zoomEnd_[zoomLevel_] >= count_)
        return false;
    zoomStart_[zoomLevel_] += n;
    zoomEnd_[zoomLevel_] += n;
    return true;
}

bool Signal::cut(uint32_t first, uint32_t last)
{
    if (last < first || last >= count_)
        return false;
    const uint32_t length = last - first + 1;
    if (visibleCount() - length < 5 || length > visibleCount())
        return false;
    std::memmove(samples_ + first, samples_ + last + 1, std::size_t(count_ - last - 1) * sizeof(float));
    count_ -= length;
    if (zoomLevel_ != 0) {
        const uint32_t start = zoomStart_[zoomLevel_];
        const uint32_t end = zoomEnd_[zoomLevel_];
        zoomStart_[1] = start;
        zoomEnd_[1] = end - length;
        zoomLevel_ = zoomDepth_ = 1;
    }
    zoomStart_[0] = 0;
    zoomEnd_[0] = count_ - 1;
    // A cut that reaches the end moved nothing, but the block that held the last samples is shorter now.
    samplesChanged(std::min(first, count_ - 1), count_ - 1);
    return true;
}

bool Signal::paste(uint32_t at, std::span<const float> values)
{
    if (at > count_ || count_ - at < values.size())
        return false;
    // An empty block (a clipboard count of 0) changes nothing, and has no samples to copy from.
    if (values.empty())
        return true;
    const auto n = uint32_t(values.size());
    std::memcpy(samples_ + at, values.data(), std::size_t(n) * sizeof(float));
    zoomEnd_[0] = count_ - 1;
    samplesChanged(at, at + n - 1);
    return true;
}

void Signal::fill(uint32_t first, uint32_t last, float value)
{
    if (first >= count_ || first > last)
        return;
    last = std::min(last, count_ - 1);
    std::fill(samples_ + first, samples_ + last + 1, value);
    samplesChanged(first, last);
}

void Signal::appendPage(const int16_t* source, uint32_t firstChannel, uint32_t stride, double gain, double offset)
{
    const uint32_t values = pageLength_ - stride + 1;
    float* page = samples_ + std::size_t(pageIndex_) * pageLength_;
    for (uint32_t k = 0; k < values; ++k)
        page[k] = float(source[firstChannel + std::size_t(k) * stride] * gain + offset);
    // The summary always follows the samples; only the Y range stays when the recording ends.
    const uint32_t pageStart = uint32_t(pageIndex_) * pageLength_;
    summary_.refresh(samples_, count_, pageStart, pageStart + pageLength_ - 1);
    zoomStart_[zoomLevel_] = uint32_t(pageIndex_) * pageLength_;
    zoomEnd_[zoomLevel_] = uint32_t(pageIndex_ + 1) * pageLength_ - 1;
    if (pageIndex_ == lastPage_) {
        if (lastPage_ != 0) {
            const int mode = owner_ ? owner_->channelMode() : 1;
            if (owner_ && (mode == 1 || (mode == 2 && firstChannel == 1)))
                owner_->recordingComplete();
            return;
        }
    } else {
        ++pageIndex_;
    }
    yRangeFromSummary();
}
