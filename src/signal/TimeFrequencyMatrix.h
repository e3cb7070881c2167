#pragma once
// The matrix behind every 3D window, and its producers: the threaded Time FFT, the 3D log, pictures.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "dsp/SpectralSettings.h"
#include "dsp/SpectrumPipeline.h"
#include "signal/FFTRows.h"

class ProgressReport;
class Signal;
class TapWindow;

// The six choices of the "Time FFT" dialog. Azimuth and elevation are list indices; -1 for both
// comes from the Spectrogram form.
struct TimeFFTParameters {
    uint32_t N = 0;  // FFT length, samples per segment
    uint32_t M = 0;  // segment count
    int32_t azimuth = 0;
    int32_t elevation = 0;
    long double fromFrequency = 0;
    long double toFrequency = 0;
};

// Rows along X (segments of a Time FFT, entries of a signal log, picture columns) and bins along Y.
// Rows are rotated, not copied, when the parent moves by one segment or a log gets a new entry.
class TimeFrequencyMatrix {
public:
    enum class Source { None, TimeFFT, Log, Picture };
    enum class Result {
        Done,
        Invalid,   // the parent is too short (or the choices select nothing); the old rows stay
        NoMemory,  // the matrix or the spectrum buffers could not be had; the record is unchanged
        Cancelled, // the person stopped the computation; the rows are incomplete and the record invalid
        Waiting,   // sound choices over a parent too short for them: kept, no rows yet
    };

    // The short-time spectra of the parent's visible samples. Invalid when N < 4, M < 1 or the
    // frequency range holds no bin; Waiting when the parent shows fewer than N samples or fewer than M.
    // Long computations report to `progress` and stop (Cancelled) when it asks to.
    Result createTimeFFT(const Signal& parent, const TimeFFTParameters& parameters, const SpectralSettings& settings,
                         TapWindow& tap, ProgressReport* progress = nullptr);
    // Every row again from the parent's visible samples, under `settings` (which may be new). Invalid,
    // rows kept, when the parent shows fewer than N + M samples. A Time FFT made over a parent too short
    // for it gets its matrix here, once the parent shows enough.
    Result recompute(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                     ProgressReport* progress = nullptr);
    // After a change of the parent. A move by exactly the hop rotates the rows and computes one
    // segment; anything else is a full recompute.
    Result followParent(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                        ProgressReport* progress = nullptr);

    // A log of `length` rows of the parent's visible samples, the current ones last.
    Result createLog(const Signal& parent, uint32_t length);
    // Appends the parent's visible samples as the newest row; false (nothing changed) when their count
    // is not the bin count.
    bool appendLog(const Signal& parent);

    // A picture or matrix of rows × bins values, row by row; steps and origins are 1.
    Result createPicture(uint32_t rows, uint32_t bins, std::span<const float> values);

    // The first and last bin of the Time FFT's chosen frequency range; none when it holds no bin.
    std::optional<std::pair<int32_t, int32_t>> band() const;
    // The bins of a Time FFT inside [a, b] in hertz, no higher than `topBin`; first > last when none.
    std::pair<int32_t, int32_t> binsWithin(long double a, long double b, int32_t topBin) const;

    // X of row r, Y of bin j, value at (r, j).
    double rowX(int64_t r) const { return rowOrigin + double(r) * rowStep; }
    double binY(int64_t j) const { return yOrigin + double(j) * binStep; }
    float value(uint32_t r, uint32_t j) const { return rows_.value(r, j); }
    // A Time FFT's rows begin at the parent's first visible X, taken again before a read-out or paint.
    void followParentX(const Signal& parent);

    Source source() const { return source_; }
    uint32_t rows() const { return rows_.rows(); }
    uint32_t bins() const { return rows_.bins(); }
    const float* row(uint32_t r) const { return rows_.row(r); }
    // Each row's extremes over all its bins (MinMaxSummary::scanInOrder), found while a Time FFT computed
    // it; none for other rows.
    const MinMax* rowExtremes() const { return valid_ ? rows_.extremes() : nullptr; }
    const TimeFFTParameters& parameters() const { return parameters_; }
    double hop() const { return hop_; }
    uint32_t parentStart() const { return parentStart_; }
    long double sampleRate() const { return sampleRate_; }
    // A Time FFT whose choices were kept over a parent too short for them has no rows of their shape yet.
    bool lacksRows() const { return rows() != parameters_.M || bins() != parameters_.N / 2; }
    // Whether the rows show the parent as it was at the last computation.
    bool valid() const { return valid_; }

    // Threads that share the segments of a full computation; 0 (the default) for one per processor.
    // Complex averaging carries from segment to segment and always runs on one thread.
    void setThreads(unsigned threads) { threads_ = threads; }
    // Threads for work over `values` values: about a million each, up to the threads set.
    unsigned threadsFor(uint64_t values) const;
    // Spectra computed so far, one per segment.
    uint64_t segmentsComputed() const { return segmentsComputed_; }

    // -1 or +1 after the rows were rotated; the picture may then be scrolled instead of redrawn.
    int32_t shiftDirection = 0;
    uint32_t logEntries = 0;
    // X of row r = rowOrigin + r × rowStep; Y of bin j = yOrigin + j × binStep.
    double rowStep = 1;
    double rowOrigin = 0;
    double binStep = 1;
    double yOrigin = 0;

private:
    // Hop, steps, position and every row from the parent's visible samples.
    Result computeAll(const Signal& parent, const SpectralSettings& settings, TapWindow& tap, ProgressReport* progress);
    // Every row from the parent's visible samples, segments shared among the threads.
    Result computeRows(const Signal& parent, const SpectralSettings& settings, TapWindow& tap, ProgressReport* progress);
    // Segment i of the parent's visible samples into row `r`, and its extremes.
    void computeSegment(SpectrumPipeline& pipeline, const Signal& parent, uint32_t i, float* row,
                        const SpectralSettings& settings, TapWindow& tap);
    // hop = (n - N) div (M - 1); 0 for a single segment.
    double hopFor(uint32_t visibleCount) const;
    void takeParentPosition(const Signal& parent);

    Source source_ = Source::None;
    TimeFFTParameters parameters_;
    FFTRows rows_;
    SpectrumPipeline scratch_;
    double hop_ = 0;
    uint32_t parentStart_ = 0;
    uint32_t parentCount_ = 0;
    long double sampleRate_ = 0;
    bool valid_ = false;
    uint64_t segmentsComputed_ = 0;
    unsigned threads_ = 0;
};
