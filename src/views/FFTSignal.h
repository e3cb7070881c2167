#pragma once
// The matrix record of a 3D window: its matrix and the view of it (levels, ruler, Z range, direction).
#include <array>
#include <cstdint>
#include <limits>

#include "fileio/PictureMatrix.h"
#include "signal/TimeFrequencyMatrix.h"
#include "views/ViewLevel.h"

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

// A 3D window's matrix with a stack of view levels, the ruler, the Z range and the direction it is
// seen from. The producers of the matrix are wrapped here so that each also fits the view to the rows
// it made; everything else of the matrix is read and written as it is.
class FFTSignal : public TimeFrequencyMatrix {
public:
    static constexpr int32_t MaxLevels = 64;
    static constexpr int32_t Azimuths = 36;
    static constexpr int32_t MaxElevation = 16;

    // The producers of the matrix (a Waiting Time FFT reads as Invalid here); each fits level 0 and the
    // view to what it made.
    Result createTimeFFT(const Signal& parent, const TimeFFTParameters& parameters, const SpectralSettings& settings,
                         TapWindow& tap, ProgressReport* progress = nullptr);
    Result recompute(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                     ProgressReport* progress = nullptr);
    Result followParent(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                        ProgressReport* progress = nullptr);
    Result createLog(const Signal& parent, uint32_t length);
    bool appendLog(const Signal& parent);
    // A picture or matrix is shown from above with fill on.
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

    int32_t levelIndex() const { return level_; }
    const ViewLevel& level() const { return levels_[std::size_t(level_)]; }
    ViewLevel& level() { return levels_[std::size_t(level_)]; }
    const ViewLevel& baseLevel() const { return levels_[0]; }
    ViewLevel& baseLevel() { return levels_[0]; }

    // Settings of the window and its view, read and written by the 3D window.
    bool rulerOn = false;
    bool fillSegments = true;
    // The spectrogram view draws its bins upwards instead of downwards.
    bool lowAtBottom = false;
    bool savedFillSegments = true;
    int32_t azimuth = 0;
    int32_t elevation = 0;
    int32_t savedAzimuth = 0;
    int32_t savedElevation = 0;
    bool invertColours = false;
    bool fixedZRange = false;  // the window's FixedMinMax
    int32_t virtualWidth = 800;
    int32_t virtualHeight = 630;

private:
    // After rows were computed: a new matrix starts at level 0, which spans the band chosen; the Z range follows.
    Result fitLevels(Result computed, bool firstRows);
    // The view the choices ask for: azimuth, elevation, or the spectrogram view for -1.
    void takeView(const TimeFFTParameters& parameters);
    // A new level on top of the stack; false when the stack is full.
    bool pushLevel(const ViewLevel& next);

    std::array<ViewLevel, MaxLevels> levels_{};
    int32_t level_ = 0;
};
