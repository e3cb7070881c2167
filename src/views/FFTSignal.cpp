#include "views/FFTSignal.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "base/ParallelChunks.h"
#include "signal/MinMaxSummary.h"

namespace {
// Moves the inclusive range [first, last] by whole steps until it lies inside [lo, hi]; it never is wider.
void shiftInside(int32_t& first, int32_t& last, int32_t lo, int32_t hi)
{
    if (last > hi) {
        first -= last - hi;
        last = hi;
    }
    if (first < lo) {
        last += lo - first;
        first = lo;
    }
}

// The next index of [first, last] in `direction`, wrapping from one end to the other.
int32_t wrapped(int32_t index, int direction, int32_t first, int32_t last)
{
    const int32_t next = index + (direction > 0 ? 1 : -1);
    if (next > last)
        return first;
    if (next < first)
        return last;
    return next;
}

}  // namespace

FFTSignal::Result FFTSignal::fitLevels(Result computed, bool firstRows)
{
    if (computed != Result::Done)
        return computed;
    if (firstRows)
        level_ = 0;
    // Level 0 spans the band chosen; a level of rows not yet computed is made now.
    if (levels_[0].rowCount != int32_t(parameters().M)) {
        const auto [first, last] = *band();
        levels_[0] = ViewLevel::spanning(0, int32_t(parameters().M) - 1, first, last);
        levels_[0].rulerRow = int32_t(parameters().M / 2);
        levels_[0].rulerBin = (first + last) / 2;
    }
    updateZRange();
    return Result::Done;
}

FFTSignal::Result FFTSignal::createTimeFFT(const Signal& parent, const TimeFFTParameters& parameters,
                                           const SpectralSettings& settings, TapWindow& tap, ProgressReport* progress)
{
    const Result made = TimeFrequencyMatrix::createTimeFFT(parent, parameters, settings, tap, progress);
    if (made == Result::Invalid || made == Result::NoMemory)
        return made;
    takeView(parameters);
    if (made == Result::Waiting) {
        level_ = 0;
        levels_[0] = ViewLevel{};
        return Result::Invalid;
    }
    return fitLevels(made, false);
}

FFTSignal::Result FFTSignal::recompute(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                                       ProgressReport* progress)
{
    const bool firstRows = lacksRows();
    return fitLevels(TimeFrequencyMatrix::recompute(parent, settings, tap, progress), firstRows);
}

FFTSignal::Result FFTSignal::followParent(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                                          ProgressReport* progress)
{
    const bool firstRows = lacksRows();
    return fitLevels(TimeFrequencyMatrix::followParent(parent, settings, tap, progress), firstRows);
}

void FFTSignal::takeView(const TimeFFTParameters& parameters)
{
    fillSegments = true;
    azimuth = parameters.azimuth;
    elevation = parameters.elevation;
    savedAzimuth = azimuth;
    savedElevation = elevation;
    savedFillSegments = fillSegments;
    if (elevation == -1)
        switchToSpectrogramView();
}

FFTSignal::Result FFTSignal::createLog(const Signal& parent, uint32_t length)
{
    const Result made = TimeFrequencyMatrix::createLog(parent, length);
    if (made != Result::Done)
        return made;
    level_ = 0;
    levels_[0] = ViewLevel::spanning(0, int32_t(length) - 1, 0, int32_t(bins()) - 1);
    levels_[0].rulerRow = int32_t(length / 2);
    levels_[0].rulerBin = int32_t(bins() - 1) / 2;
    updateZRange();

    fillSegments = false;
    azimuth = 15;
    elevation = 5;
    savedAzimuth = azimuth;
    savedElevation = elevation;
    savedFillSegments = fillSegments;
    return Result::Done;
}

FFTSignal::Result FFTSignal::createPicture(const PictureMatrix& picture)
{
    const Result made = TimeFrequencyMatrix::createPicture(picture.rows, picture.bins, picture.values);
    if (made != Result::Done)
        return made;
    level_ = 0;
    levels_[0] = ViewLevel::spanning(0, int32_t(picture.rows) - 1, 0, int32_t(picture.bins) - 1);
    levels_[0].rulerRow = int32_t(picture.rows / 2);
    levels_[0].rulerBin = int32_t(picture.bins / 2);
    updateZRange();
    // Seen from above; the mesh view it switches to is azimuth 5, elevation 5.
    fillSegments = savedFillSegments = true;
    azimuth = savedAzimuth = 5;
    elevation = 0;
    savedElevation = 5;
    return Result::Done;
}

bool FFTSignal::appendLog(const Signal& parent)
{
    if (!TimeFrequencyMatrix::appendLog(parent))
        return false;
    updateZRange();
    return true;
}

void FFTSignal::updateZRange()
{
    if (!fixedZRange)
        adjustZRange();
}

void FFTSignal::adjustZRange()
{
    ViewLevel& l = level();
    if (rows() == 0 || l.rowCount < 1 || l.binCount < 1)
        return;
    // Each row's extremes are found from the infinities (MinMaxSummary::scanInOrder) and taken in row
    // order, rows shared between threads by chunks, then the chunks' in chunk order after the first value:
    // what one scan in order finds. Rows whose extremes were found when they were computed are not read.
    constexpr uint64_t Chunk = 64;
    constexpr float Infinity = std::numeric_limits<float>::infinity();
    const auto rowCount = uint64_t(l.lastRow - l.firstRow + 1);
    const auto binCount = std::size_t(l.lastBin - l.firstBin + 1);
    const MinMax* known = l.firstBin == 0 && binCount == bins() ? rowExtremes() : nullptr;
    std::vector<MinMax> chunks((rowCount + Chunk - 1) / Chunk, MinMax{Infinity, -Infinity});
    const auto scanRows = [&](uint64_t from, uint64_t count, unsigned) {
        MinMax& chunk = chunks[from / Chunk];
        for (uint64_t r = from; r < from + count; ++r) {
            const uint32_t at = uint32_t(l.firstRow) + uint32_t(r);
            const MinMax e = known ? known[at] : MinMaxSummary::scanInOrder(row(at) + l.firstBin, binCount);
            chunk = {std::min(chunk.min, e.min), std::max(chunk.max, e.max)};
        }
    };
    runInChunks(rowCount, Chunk, known ? 1 : threadsFor(rowCount * binCount), scanRows, nullptr);
    float max = value(uint32_t(l.firstRow), uint32_t(l.firstBin));
    float min = max;
    for (const MinMax& chunk : chunks) {
        max = std::max(max, chunk.max);
        min = std::min(min, chunk.min);
    }
    // A flat level still needs a Z range to scale colours against.
    l.zMax = max == min ? max + 1 : max;
    l.zMin = min;
}

bool FFTSignal::pushLevel(const ViewLevel& next)
{
    if (level_ + 1 >= MaxLevels)
        return false;
    levels_[std::size_t(++level_)] = next;
    updateZRange();
    return true;
}

bool FFTSignal::zoomAboutRuler()
{
    const ViewLevel& current = level();
    const int32_t rowQuarter = current.rowCount / 4;
    const int32_t binQuarter = current.binCount / 4;
    if (2 * rowQuarter < 3 || 2 * binQuarter < 3)
        return false;
    int32_t firstRow = current.rulerRow - rowQuarter;
    int32_t lastRow = current.rulerRow + rowQuarter - 1;
    int32_t firstBin = current.rulerBin - binQuarter;
    int32_t lastBin = current.rulerBin + binQuarter - 1;
    shiftInside(firstRow, lastRow, current.firstRow, current.lastRow);
    shiftInside(firstBin, lastBin, current.firstBin, current.lastBin);
    ViewLevel next = ViewLevel::spanning(firstRow, lastRow, firstBin, lastBin);
    next.rulerRow = current.rulerRow;
    next.rulerBin = current.rulerBin;
    next.zMax = current.zMax;
    next.zMin = current.zMin;
    return pushLevel(next);
}

bool FFTSignal::zoomToRectangle(int32_t anchorRow, int32_t anchorBin)
{
    const ViewLevel& current = level();
    const int32_t firstRow = std::min(anchorRow, current.rulerRow);
    const int32_t lastRow = std::max(anchorRow, current.rulerRow);
    const int32_t firstBin = std::min(anchorBin, current.rulerBin);
    const int32_t lastBin = std::max(anchorBin, current.rulerBin);
    if (firstRow < current.firstRow || lastRow > current.lastRow || firstBin < current.firstBin
        || lastBin > current.lastBin || lastRow - firstRow + 1 < 3 || lastBin - firstBin + 1 < 3)
        return false;
    ViewLevel next = ViewLevel::spanning(firstRow, lastRow, firstBin, lastBin);
    next.rulerRow = (firstRow + lastRow) / 2;
    next.rulerBin = (firstBin + lastBin) / 2;
    next.zMax = current.zMax;
    next.zMin = current.zMin;
    return pushLevel(next);
}

bool FFTSignal::zoomOut()
{
    if (level_ == 0)
        return false;
    --level_;
    updateZRange();
    return true;
}

bool FFTSignal::moveRows(int direction)
{
    ViewLevel& l = level();
    const int32_t d = direction > 0 ? 1 : -1;
    if (l.firstRow + d < 0 || int64_t(l.lastRow) + d >= int64_t(rows()))
        return false;
    l.firstRow += d;
    l.lastRow += d;
    l.rulerRow += d;
    updateZRange();
    return true;
}

bool FFTSignal::moveBins(int direction)
{
    ViewLevel& l = level();
    const int32_t d = direction > 0 ? 1 : -1;
    if (l.firstBin + d < 0 || int64_t(l.lastBin) + d >= int64_t(bins()))
        return false;
    l.firstBin += d;
    l.lastBin += d;
    l.rulerBin += d;
    updateZRange();
    return true;
}

void FFTSignal::rotateAzimuth(int direction)
{
    azimuth = (azimuth + (direction > 0 ? 1 : Azimuths - 1)) % Azimuths;
}

bool FFTSignal::tiltElevation(int direction)
{
    const int32_t next = elevation + (direction > 0 ? 1 : -1);
    if (next < 1 || next > MaxElevation)
        return false;
    elevation = next;
    return true;
}

void FFTSignal::moveRulerRow(int direction)
{
    ViewLevel& l = level();
    l.rulerRow = wrapped(l.rulerRow, direction, l.firstRow, l.lastRow);
}

void FFTSignal::moveRulerBin(int direction)
{
    ViewLevel& l = level();
    l.rulerBin = wrapped(l.rulerBin, direction, l.firstBin, l.lastBin);
}

void FFTSignal::switchToSpectrogramView()
{
    savedAzimuth = azimuth;
    savedElevation = elevation;
    savedFillSegments = fillSegments;
    elevation = 0;
    azimuth = 5;
    fillSegments = true;
}

uint32_t FFTSignal::xRuler(float* out) const
{
    const ViewLevel& l = level();
    for (int32_t r = l.firstRow; r <= l.lastRow; ++r)
        *out++ = value(uint32_t(r), uint32_t(l.rulerBin));
    return uint32_t(l.rowCount);
}

uint32_t FFTSignal::yRuler(float* out) const
{
    const ViewLevel& l = level();
    if (l.binCount < 1 || rows() == 0)
        return 0;
    const float* ruled = row(uint32_t(l.rulerRow));
    std::copy(ruled + l.firstBin, ruled + l.lastBin + 1, out);
    return uint32_t(l.binCount);
}

BandStatistics FFTSignal::bandStatistics(long double a, long double b) const
{
    BandStatistics stats;
    if (source() != Source::TimeFFT)
        return stats;
    const auto [firstBin, lastBin] = binsWithin(a, b, baseLevel().lastBin);
    const ViewLevel& l = level();
    uint64_t cells = 0;
    for (int32_t r = l.firstRow; r <= l.lastRow; ++r) {
        for (int32_t j = firstBin; j <= lastBin; ++j) {
            const double v = value(uint32_t(r), uint32_t(j));
            stats.sum += v;
            ++cells;
            if (v > stats.maximum) {
                stats.maximum = v;
                stats.maximumRow = r;
                stats.maximumBin = j;
            }
            if (v < stats.minimum) {
                stats.minimum = v;
                stats.minimumRow = r;
                stats.minimumBin = j;
            }
        }
    }
    stats.average = cells ? stats.sum / double(cells) : 0.0;
    return stats;
}
