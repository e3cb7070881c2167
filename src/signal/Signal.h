#pragma once
// The one record of a uniformly sampled signal.
#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "dsp/SpectralSettings.h"
#include "signal/MinMaxSummary.h"

class SignalOwner;

// Float samples in one block, the sampling grid in extended precision, a zoom history of 21 index ranges
// and the cached Y range. Derived records add fields and constructors only; code that must tell them apart
// reads kind().
class Signal {
public:
    static constexpr uint32_t MaxZoomLevel = 20;

    // Takes over `block`, which holds exactly `count` samples.
    Signal(SignalOwner* owner, int32_t kind, std::unique_ptr<float[]> block, uint32_t count,
           long double sampleRate, long double xOffset = 0);
    // Takes over `block` with the summary already made of its `count` samples (MinMaxSummary::fromFineBlocks).
    Signal(SignalOwner* owner, int32_t kind, std::unique_ptr<float[]> block, uint32_t count,
           long double sampleRate, MinMaxSummary summary);
    // Copies `count` samples.
    Signal(SignalOwner* owner, int32_t kind, const float* samples, uint32_t count,
           long double sampleRate, long double xOffset = 0);
    // The empty result of a derivation: sample rate 0, no samples.
    Signal(SignalOwner* owner, int32_t kind);
    // The paged acquisition buffer: `pages` zero-filled pages of `pageLength` samples, first page shown.
    static std::unique_ptr<Signal> acquisitionBuffer(SignalOwner* owner, uint32_t pageLength, uint32_t pages,
                                                     long double sampleRate);
    virtual ~Signal();

    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    // Sample blocks are allocated once with their exact size; failure throws std::bad_alloc, as does a
    // block larger than the machine's memory (machineMemoryBytes).
    static std::unique_ptr<float[]> allocateSamples(std::size_t count);

    SignalOwner* owner() const { return owner_; }
    void setOwner(SignalOwner* owner) { owner_ = owner; }
    int32_t kind() const { return kind_; }
    long double sampleRate() const { return sampleRate_; }
    void setSampleRate(long double rate) { sampleRate_ = rate; }
    long double xOffset() const { return xOffset_; }
    void setXOffset(long double offset) { xOffset_ = offset; }

    const float* samples() const { return samples_; }
    float* samples() { return samples_; }
    uint32_t count() const { return count_; }
    // How many samples hold values yet: all of them, but for a log still filling, whose picture
    // shows only the filled part.
    virtual uint32_t filledCount() const { return count_; }

    uint32_t zoomLevel() const { return zoomLevel_; }
    uint32_t zoomDepth() const { return zoomDepth_; }
    uint32_t zoomStart(uint32_t level) const { return zoomStart_[level]; }
    uint32_t zoomEnd(uint32_t level) const { return zoomEnd_[level]; }
    uint32_t firstVisible() const { return zoomStart_[zoomLevel_]; }
    uint32_t lastVisible() const { return zoomEnd_[zoomLevel_]; }
    uint32_t visibleCount() const { return count_ ? lastVisible() - firstVisible() + 1 : 0; }
    const float* visibleSamples() const { return samples_ + firstVisible(); }
    float* visibleSamples() { return samples_ + firstVisible(); }
    long double xOfIndex(long double index) const { return index / sampleRate_ + xOffset_; }
    long double firstVisibleX() const { return xOfIndex(firstVisible()); }
    long double lastVisibleX() const { return xOfIndex(lastVisible()); }
    // No clamping: callers clamp.
    int64_t indexOfX(long double x) const;

    float yMax() const { return yMax_; }
    float yMin() const { return yMin_; }
    void setYRange(float max, float min);
    // Rebuilds the min/max summary from all samples and recomputes the Y range, or keeps the owner's
    // range while the owner holds its range fixed. Whoever writes samples directly calls it afterwards.
    void updateYRange();
    // Extremes of samples [first, end) by absolute index, from the summary.
    MinMax extremes(uint32_t first, uint32_t end) const { return summary_.range(samples_, first, end); }

    // Zoom history; each refuses (returns false, changes nothing) where it cannot apply.
    [[nodiscard]] bool zoomIn(uint32_t first, uint32_t last);
    [[nodiscard]] bool zoomBack();
    [[nodiscard]] bool zoomForward();
    [[nodiscard]] bool scrollLeft(uint32_t n);
    [[nodiscard]] bool scrollRight(uint32_t n);
    // Entry 0 spanning the whole signal, level and depth 0.
    void resetZoom();

    // Editing by inclusive sample indices.
    [[nodiscard]] bool cut(uint32_t first, uint32_t last);
    // Overwrites samples from `at` on; refused when the values do not fit.
    [[nodiscard]] bool paste(uint32_t at, std::span<const float> values);
    void fill(uint32_t first, uint32_t last, float value);

    // The paged acquisition buffer (kind 8).
    int32_t pageIndex() const { return pageIndex_; }
    int32_t lastPage() const { return lastPage_; }
    uint32_t pageLength() const { return pageLength_; }
    void appendPage(const int16_t* source, uint32_t firstChannel, uint32_t stride, double gain, double offset);

    // The settings a spectrum was computed with; other kinds leave them zero.
    SpectralSettings spectral{};

protected:
    // Lets a derived record show samples that live in a block it owns itself.
    void adoptExternalSamples(float* samples, uint32_t count);

private:
    // Refreshes the summary over samples first ... last and recomputes the Y range from it.
    void samplesChanged(uint32_t first, uint32_t last);
    void yRangeFromSummary();

    SignalOwner* owner_;
    long double sampleRate_;
    uint32_t zoomLevel_ = 0;
    long double xOffset_;
    std::unique_ptr<float[]> block_;
    int32_t kind_;
    int32_t pageIndex_ = 0;
    int32_t lastPage_ = 0;
    uint32_t pageLength_ = 0;
    float* samples_ = nullptr;
    uint32_t count_ = 0;
    std::array<uint32_t, MaxZoomLevel + 1> zoomStart_{};
    std::array<uint32_t, MaxZoomLevel + 1> zoomEnd_{};
    uint32_t zoomDepth_ = 0;
    float yMax_ = 1;
    float yMin_ = -1;
    MinMaxSummary summary_;
};
