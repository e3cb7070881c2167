#include "views/FFTSignal.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <utility>
#include <thread>
#include <vector>

#include "base/ParallelChunks.h"
#include "dsp/TapWindow.h"
#include "signal/Signal.h"

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

// A bin index from a computed position, held within [lo, hi] before it becomes an integer.
int32_t clampedBin(long double position, int32_t lo, int32_t hi)
{
    if (std::isnan(position))
        return lo;
    return int32_t(std::clamp(position, (long double)lo, (long double)hi));
}

// Bin width of N / 2 bins from fs / N up to fs / 2.
long double binWidth(long double fs, uint32_t N)
{
    return (fs * 0.5L - fs / N) / (N / 2 - 1);
}

// The first and last bin of the chosen frequency range at sample rate fs; none when it holds no bin.
std::optional<std::pair<int32_t, int32_t>> bandOf(const TimeFFTParameters& parameters, long double fs)
{
    const uint32_t N = parameters.N;
    const auto B = int32_t(N / 2);
    const long double w = binWidth(fs, N);
    const int32_t first = clampedBin(std::ceil((parameters.fromFrequency - fs / N) / w), 0, B);
    const int32_t last = clampedBin(std::floor((parameters.toFrequency - fs / N) / w), -1, B - 1);
    if (first > last)
        return std::nullopt;
    return std::pair{first, last};
}
}  // namespace

double FFTSignal::hopFor(uint32_t visibleCount) const
{
    const uint32_t M = parameters_.M;
    return M > 1 ? double((visibleCount - parameters_.N) / (M - 1)) : 0.0;
}

void FFTSignal::computeSegment(SpectrumPipeline& pipeline, const Signal& parent, uint32_t i, float* row,
                               const SpectralSettings& settings, TapWindow& tap)
{
    const auto start = uint32_t(std::floor(i * hop_));
    pipeline.run(settings, parent.visibleSamples() + start, parent.sampleRate(), tap);
    // With zero expansion the spectrum is longer; its first N / 2 bins are the row.
    std::copy_n(pipeline.output(), parameters_.N / 2, row);
}

FFTSignal::Result FFTSignal::computeRows(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                                         ProgressReport* progress)
{
    const uint32_t N = parameters_.N;
    const uint32_t M = parameters_.M;
    // About a million samples per thread before another thread pays for its start and buffers.
    const uint64_t perThread = uint64_t(1) << 20;
    const unsigned processors = threads_ > 0 ? threads_ : std::max(std::thread::hardware_concurrency(), 1u);
    const unsigned threads = SpectrumPipeline::averagesComplex(settings)
                                 ? 1u
                                 : unsigned(std::clamp<uint64_t>(uint64_t(N) * M / perThread, 1, processors));
    std::vector<SpectrumPipeline> pipelines(threads - 1);
    std::vector<TapWindow> taps(threads - 1, tap);
    try {
        for (SpectrumPipeline& pipeline : pipelines)
            pipeline.build(settings, N);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    // Chunks of about 16 000 samples: short enough for a lively progress report, long enough
    // that taking them costs nothing.
    const uint64_t chunk = std::max<uint64_t>(1, (uint64_t(1) << 14) / N);
    const auto work = [&](uint64_t first, uint64_t count, unsigned worker) {
        SpectrumPipeline& pipeline = worker == 0 ? scratch_ : pipelines[worker - 1];
        TapWindow& taper = worker == 0 ? tap : taps[worker - 1];
        for (uint64_t i = first; i < first + count; ++i)
            computeSegment(pipeline, parent, uint32_t(i), rows_.row(uint32_t(i)), settings, taper);
    };
    if (!runInChunks(M, chunk, threads, work, progress)) {
        valid_ = false;
        return Result::Cancelled;
    }
    segmentsComputed_ += M;
    return Result::Done;
}

void FFTSignal::takeParentPosition(const Signal& parent)
{
    parentStart_ = parent.firstVisible();
    parentCount_ = parent.visibleCount();
    rowOrigin = double(parent.firstVisibleX());
}

FFTSignal::Result FFTSignal::createTimeFFT(const Signal& parent, const TimeFFTParameters& parameters,
                                           const SpectralSettings& settings, TapWindow& tap, ProgressReport* progress)
{
    const long double fs = parent.sampleRate();
    // A range without a number selects nothing.
    if (parameters.N < 4 || parameters.M < 1 || !(fs > 0) || std::isnan(parameters.fromFrequency)
        || std::isnan(parameters.toFrequency) || !bandOf(parameters, fs))
        return Result::Invalid;
    // Sound choices over a parent too short for them are kept, so that the window computes once the
    // parent shows enough (a file that got shorter since the workspace was saved is read again).
    const uint32_t n = parent.visibleCount();
    if (n < parameters.N || parameters.M > n) {
        source_ = Source::TimeFFT;
        parameters_ = parameters;
        rows_ = FFTRows();
        valid_ = false;
        level_ = 0;
        levels_[0] = ViewLevel{};
        takeView(parameters);
        return Result::Invalid;
    }
    FFTRows rows;
    SpectrumPipeline pipeline;
    try {
        rows = FFTRows(parameters.M, parameters.N / 2);
        pipeline.build(settings, parameters.N);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    source_ = Source::TimeFFT;
    parameters_ = parameters;
    rows_ = std::move(rows);
    scratch_ = std::move(pipeline);
    logEntries = 0;
    takeView(parameters);
    return computeAll(parent, settings, tap, progress);
}

FFTSignal::Result FFTSignal::recompute(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                                       ProgressReport* progress)
{
    if (source_ != Source::TimeFFT)
        return Result::Invalid;
    const uint32_t n = parent.visibleCount();
    const long double fs = parent.sampleRate();
    if (uint64_t(n) < uint64_t(parameters_.N) + parameters_.M || !(fs > 0) || !bandOf(parameters_, fs)) {
        valid_ = false;
        return Result::Invalid;
    }
    const bool firstRows = rows_.rows() != parameters_.M || rows_.bins() != parameters_.N / 2;
    try {
        // A window made over a parent too short for it gets its matrix with its first rows.
        if (firstRows)
            rows_ = FFTRows(parameters_.M, parameters_.N / 2);
        if (scratch_.needsRebuild(settings, parameters_.N)) {
            SpectrumPipeline fresh;
            fresh.build(settings, parameters_.N);
            scratch_ = std::move(fresh);
        }
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    if (firstRows)
        level_ = 0;
    return computeAll(parent, settings, tap, progress);
}

FFTSignal::Result FFTSignal::computeAll(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                                        ProgressReport* progress)
{
    const long double fs = parent.sampleRate();
    sampleRate_ = fs;
    hop_ = hopFor(parent.visibleCount());
    rowStep = double(hop_ / fs);
    binStep = double(binWidth(fs, parameters_.N));
    yOrigin = binStep;
    takeParentPosition(parent);
    if (const Result computed = computeRows(parent, settings, tap, progress); computed != Result::Done)
        return computed;
    valid_ = true;
    shiftDirection = 0;
    // Level 0 spans the band chosen; a level of rows not yet computed is made now.
    if (levels_[0].rowCount != int32_t(parameters_.M)) {
        const auto [first, last] = *bandOf(parameters_, fs);
        levels_[0] = ViewLevel::spanning(0, int32_t(parameters_.M) - 1, first, last);
        levels_[0].rulerRow = int32_t(parameters_.M / 2);
        levels_[0].rulerBin = (first + last) / 2;
    }
    updateZRange();
    return Result::Done;
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

FFTSignal::Result FFTSignal::followParent(const Signal& parent, const SpectralSettings& settings, TapWindow& tap,
                                          ProgressReport* progress)
{
    const auto step = uint64_t(hop_);
    const uint64_t start = parent.firstVisible();
    // The rows can be reused only when the segments keep their length and spacing.
    const bool sameGrid = source_ == Source::TimeFFT && valid_ && step > 0 && parent.visibleCount() == parentCount_
                          && parent.sampleRate() == sampleRate_ && !scratch_.needsRebuild(settings, parameters_.N);
    if (sameGrid && start == parentStart_ + step) {
        rows_.rotateTowardsFirst();
        shiftDirection = +1;
    } else if (sameGrid && start + step == parentStart_) {
        rows_.rotateTowardsLast();
        shiftDirection = -1;
    } else {
        return recompute(parent, settings, tap, progress);
    }
    takeParentPosition(parent);
    const uint32_t fresh = shiftDirection > 0 ? parameters_.M - 1 : 0;
    computeSegment(scratch_, parent, fresh, rows_.row(fresh), settings, tap);
    ++segmentsComputed_;
    updateZRange();
    return Result::Done;
}

FFTSignal::Result FFTSignal::createLog(const Signal& parent, uint32_t length)
{
    const uint32_t B = parent.visibleCount();
    if (length < 1 || B < 1)
        return Result::Invalid;
    try {
        rows_ = FFTRows(length, B);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    source_ = Source::Log;
    parameters_ = TimeFFTParameters{};
    parameters_.M = length;
    rows_.fill(0);
    std::copy_n(parent.visibleSamples(), B, rows_.row(length - 1));
    valid_ = true;
    rowStep = 1;
    rowOrigin = 0;
    yOrigin = double(parent.firstVisibleX());
    binStep = B > 1 ? double((parent.lastVisibleX() - parent.firstVisibleX()) / (B - 1)) : 1.0;
    shiftDirection = 0;
    logEntries = 0;

    level_ = 0;
    levels_[0] = ViewLevel::spanning(0, int32_t(length) - 1, 0, int32_t(B) - 1);
    levels_[0].rulerRow = int32_t(length / 2);
    levels_[0].rulerBin = int32_t(B - 1) / 2;
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
    if (picture.rows < 1 || picture.bins < 1 || picture.values.size() != std::size_t(picture.rows) * picture.bins)
        return Result::Invalid;
    try {
        rows_ = FFTRows(picture.rows, picture.bins);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    for (uint32_t r = 0; r < picture.rows; ++r)
        std::copy_n(picture.values.data() + std::size_t(r) * picture.bins, picture.bins, rows_.row(r));
    source_ = Source::Picture;
    parameters_ = TimeFFTParameters{};
    valid_ = true;
    rowStep = rowOrigin = binStep = yOrigin = 1;
    shiftDirection = 0;
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
    if (source_ != Source::Log || parent.visibleCount() != rows_.bins())
        return false;
    rows_.rotateTowardsFirst();
    std::copy_n(parent.visibleSamples(), rows_.bins(), rows_.row(rows_.rows() - 1));
    shiftDirection = +1;
    ++logEntries;
    if (logEntries > rows_.rows())
        rowOrigin += 1;
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
    if (rows_.rows() == 0 || l.rowCount < 1 || l.binCount < 1)
        return;
    float max = value(uint32_t(l.firstRow), uint32_t(l.firstBin));
    float min = max;
    for (int32_t r = l.firstRow; r <= l.lastRow; ++r) {
        const float* values = rows_.row(uint32_t(r));
        for (int32_t j = l.firstBin; j <= l.lastBin; ++j) {
            max = std::max(max, values[j]);
            min = std::min(min, values[j]);
        }
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
    if (l.firstRow + d < 0 || int64_t(l.lastRow) + d >= int64_t(rows_.rows()))
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
    if (l.firstBin + d < 0 || int64_t(l.lastBin) + d >= int64_t(rows_.bins()))
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
    if (l.binCount < 1 || rows_.rows() == 0)
        return 0;
    std::copy(rows_.row(uint32_t(l.rulerRow)) + l.firstBin, rows_.row(uint32_t(l.rulerRow)) + l.lastBin + 1, out);
    return uint32_t(l.binCount);
}

BandStatistics FFTSignal::bandStatistics(long double a, long double b) const
{
    BandStatistics stats;
    if (source_ != Source::TimeFFT)
        return stats;
    const long double fs = sampleRate_;
    const uint32_t N = parameters_.N;
    const long double w = binWidth(fs, N);
    const int32_t top = baseLevel().lastBin;
    const int32_t firstBin = clampedBin(std::ceil((a - fs / N) / w), 0, top + 1);
    const int32_t lastBin = clampedBin(std::floor((b - fs / N) / w), -1, top);
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

void FFTSignal::followParentX(const Signal& parent)
{
    if (source_ == Source::TimeFFT)
        rowOrigin = double(parent.firstVisibleX());
}
