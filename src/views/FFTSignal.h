#pragma once
#include <array>
#include <cstdint>
#include <limits>

#include "dsp/SpectralSettings.h"
#include "dsp/SpectrumPipeline.h"
#include "fileio/PictureMatrix.h"
#include "views/FFTRows.h"
#include "views/ViewLevel.h"

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

// Sum, average and extremes of the cells of a frequency band; positions are -1 while nothing was found.
struct BandStatistics {
    double sum = 0;
    double average = 0;
    double maximum = 0;
    int32_t maximumRow = -1;
    int32_t maximumBin = -1;
    double minimum = std::numeric_limits<double>::max();
    int32_t minimumRow = -1;
    int32_t minimumBin = -1;
};

// The matrix record of a 3D window: rows along X (segments of a Time FFT, entries of a signal log)
// and bins along Y, with a stack of view levels, the ruler and the Z range. Rows are rotated, not
// copied, when the parent moves by one segment or a log gets a new entry.
class FFTSignal {
public:
    enum class Source { None, TimeFFT, Log, Picture };
    enum class Result {
        Done,
        Invalid,   // the parent is too short (or the choices select nothing); the old rows stay
        NoMemory,  // the matrix or the spectrum buffers could not be had; the record is unchanged
        Cancelled, // the person stopped the computation; the rows are incomplete and the record invalid
    };
    static constexpr int32_t MaxLevels = 64;
    static constexpr int32_t Azimuths = 36;
    static constexpr int32_t MaxElevation = 16;

    // Algorithm 1: the short-time spectra of the parent's visible samples. Invalid when the parent
    // shows fewer than N samples or fewer than M (the choices are then kept for a later recompute), N < 4,
    // M < 1 or the frequency range holds no bin.
    // Long computations report to `progress` and stop (Cancelled) when it asks to.
    Result createTimeFFT(const Signal& parent, const TimeFFTParameters& parameters, const SpectralSettings& settings,
                         TapWindow& tap, ProgressReport* progress = nullptr);
    // Algorithm 2: every row again from the parent's visible samples, under `settings` (which may be new).
    // Invalid, rows kept, when the parent shows fewer than N + M samples. A Time FFT made over a parent
    // too short for it gets its matrix here, once the parent shows enough.
    Result recompute(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                     ProgressReport* progress = nullptr);
    // Algorithm 3: after a change of the parent. A move by exactly the hop rotates the rows and computes
    // one segment; anything else is a full recompute.
    Result followParent(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                        ProgressReport* progress = nullptr);

    // Algorithm 4: a log of `length` rows of the parent's visible samples, the current ones last.
    Result createLog(const Signal& parent, uint32_t length);
    // Appends the parent's visible samples as the newest row; false (nothing changed) when their count
    // is not the bin count.
    bool appendLog(const Signal& parent);

    // Algorithm 11: a picture or matrix, shown from above with fill on; steps and origins are 1.
    Result createPicture(const PictureMatrix& picture);

    // Algorithm 5: the Z range of the current level, unless fixedZRange is set.
    void updateZRange();
    // The same regardless of fixedZRange ("Adjust Z-axis").
    void adjustZRange();

    // Algorithm 6; each returns false and changes nothing when refused.
    bool zoomAboutRuler();
    // The rectangle between (anchorRow, anchorBin) and the ruler; the new level's ruler at its centre.
    bool zoomToRectangle(int32_t anchorRow, int32_t anchorBin);
    bool zoomOut();

    // Algorithm 7. Moves shift the current level by one row (+1 towards the end) or one bin, refused at
    // the matrix edge; the ruler moves along.
    bool moveRows(int direction);
    bool moveBins(int direction);
    // Azimuth +1 / -1 with wrap-around; elevation +1 / -1 within 1 ... 16 (false at the limit).
    void rotateAzimuth(int direction);
    bool tiltElevation(int direction);
    // The ruler by one row or bin within the level, wrapping from one end to the other.
    void moveRulerRow(int direction);
    void moveRulerBin(int direction);
    // Saves azimuth, elevation and fill segments, then shows the matrix from above.
    void switchToSpectrogramView();

    // Algorithm 8: values along the ruler bin (X ruler) or the ruler row (Y ruler) of the current level
    // into `out`, which holds at least rowCount, respectively binCount, values; returns that count.
    uint32_t xRuler(float* out) const;
    uint32_t yRuler(float* out) const;

    // Algorithm 9 over the band [a, b] in hertz of a Time FFT: the current level's rows, bins inside the band.
    BandStatistics bandStatistics(long double a, long double b) const;

    // Algorithm 10: X of row r, Y of bin j, value at (r, j).
    double rowX(int64_t r) const { return rowOrigin + double(r) * rowStep; }
    double binY(int64_t j) const { return yOrigin + double(j) * binStep; }
    float value(uint32_t r, uint32_t j) const { return rows_.value(r, j); }
    // A Time FFT's rows begin at the parent's first visible X, taken again before a read-out or paint.
    void followParentX(const Signal& parent);

    Source source() const { return source_; }
    uint32_t rows() const { return rows_.rows(); }
    uint32_t bins() const { return rows_.bins(); }
    const float* row(uint32_t r) const { return rows_.row(r); }
    const TimeFFTParameters& parameters() const { return parameters_; }
    double hop() const { return hop_; }
    uint32_t parentStart() const { return parentStart_; }
    long double sampleRate() const { return sampleRate_; }
    // Whether the rows show the parent as it was at the last computation.
    bool valid() const { return valid_; }

    int32_t levelIndex() const { return level_; }
    const ViewLevel& level() const { return levels_[std::size_t(level_)]; }
    ViewLevel& level() { return levels_[std::size_t(level_)]; }
    const ViewLevel& baseLevel() const { return levels_[0]; }
    ViewLevel& baseLevel() { return levels_[0]; }

    // Threads that share the segments of a full computation; 0 (the default) for one per processor.
    // Complex averaging carries from segment to segment and always runs on one thread.
    void setThreads(unsigned threads) { threads_ = threads; }

    // Spectra computed so far, one per segment.
    uint64_t segmentsComputed() const { return segmentsComputed_; }

    // Settings of the window and its view, read and written by the 3D window.
    bool rulerOn = false;
    bool fillSegments = true;
    bool savedFillSegments = true;
    int32_t azimuth = 0;
    int32_t elevation = 0;
    int32_t savedAzimuth = 0;
    int32_t savedElevation = 0;
    bool invertColours = false;
    bool fixedZRange = false;  // the window's FixedMinMax
    int32_t virtualWidth = 800;
    int32_t virtualHeight = 630;
    // -1 or +1 after the rows were rotated; the picture may then be scrolled instead of redrawn.
    int32_t shiftDirection = 0;
    uint32_t logEntries = 0;
    // X of row r = rowOrigin + r × rowStep; Y of bin j = yOrigin + j × binStep.
    double rowStep = 1;
    double rowOrigin = 0;
    double binStep = 1;
    double yOrigin = 0;

private:
    // Hop, steps, position and every row from the parent's visible samples; level 0 when it is new.
    Result computeAll(const Signal& parent, const SpectralSettings& settings, TapWindow& tap, ProgressReport* progress);
    // The view the choices ask for: azimuth, elevation, or the spectrogram view for -1.
    void takeView(const TimeFFTParameters& parameters);
    // Every row from the parent's visible samples, segments shared among the threads.
    Result computeRows(const Signal& parent, const SpectralSettings& settings, TapWindow& tap, ProgressReport* progress);
    // Segment i of the parent's visible samples into row `r`.
    void computeSegment(SpectrumPipeline& pipeline, const Signal& parent, uint32_t i, float* row,
                        const SpectralSettings& settings, TapWindow& tap);
    // hop = (n - N) div (M - 1); 0 for a single segment.
    double hopFor(uint32_t visibleCount) const;
    // A new level on top of the stack; false when the stack is full.
    bool pushLevel(const ViewLevel& next);
    void takeParentPosition(const Signal& parent);

    Source source_ = Source::None;
    TimeFFTParameters parameters_;
    FFTRows rows_;
    SpectrumPipeline scratch_;
    std::array<ViewLevel, MaxLevels> levels_{};
    int32_t level_ = 0;
    double hop_ = 0;
    uint32_t parentStart_ = 0;
    uint32_t parentCount_ = 0;
    long double sampleRate_ = 0;
    bool valid_ = false;
    uint64_t segmentsComputed_ = 0;
    unsigned threads_ = 0;
};
