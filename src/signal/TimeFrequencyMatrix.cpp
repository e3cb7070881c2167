#include "signal/TimeFrequencyMatrix.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <thread>
#include <vector>

#include "base/ParallelChunks.h"
#include "dsp/TapWindow.h"
#include "signal/Signal.h"

namespace {
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

double TimeFrequencyMatrix::hopFor(uint32_t visibleCount) const
{
    const uint32_t M = parameters_.M;
    return M > 1 ? double((visibleCount - parameters_.N) / (M - 1)) : 0.0;
}

void TimeFrequencyMatrix::computeSegment(SpectrumPipeline& pipeline, const Signal& parent, uint32_t i, float* row,
                                         const SpectralSettings& settings, TapWindow& tap)
{
    const auto start = uint32_t(std::floor(i * hop_));
    pipeline.run(settings, parent.visibleSamples() + start, parent.sampleRate(), tap);
    // With zero expansion the spectrum is longer; its first N / 2 bins are the row.
    std::copy_n(pipeline.output(), parameters_.N / 2, row);
    // Found now, while the row is in the cache, rather than in a pass over the whole matrix.
    rows_.setExtremes(i, MinMaxSummary::scanInOrder(row, parameters_.N / 2));
}

unsigned TimeFrequencyMatrix::threadsFor(uint64_t values) const
{
    // About a million values per thread before another thread pays for its start and buffers.
    const uint64_t perThread = uint64_t(1) << 20;
    const unsigned processors = threads_ > 0 ? threads_ : std::max(std::thread::hardware_concurrency(), 1u);
    return unsigned(std::clamp<uint64_t>(values / perThread, 1, processors));
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::computeRows(const Signal& parent, const SpectralSettings& settings,
                                                             TapWindow& tap, ProgressReport* progress)
{
    const uint32_t N = parameters_.N;
    const uint32_t M = parameters_.M;
    const unsigned threads = SpectrumPipeline::averagesComplex(settings) ? 1u : threadsFor(uint64_t(N) * M);
    std::vector<SpectrumPipeline> pipelines(threads - 1);
    std::vector<TapWindow> taps(threads - 1, tap);
    try {
        for (SpectrumPipeline& pipeline : pipelines)
            pipeline.build(settings, N);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    try {
        rows_.keepExtremes();
    } catch (const std::bad_alloc&) {
        // The extremes are then found from the rows.
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

void TimeFrequencyMatrix::takeParentPosition(const Signal& parent)
{
    parentStart_ = parent.firstVisible();
    parentCount_ = parent.visibleCount();
    rowOrigin = double(parent.firstVisibleX());
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::createTimeFFT(const Signal& parent,
                                                               const TimeFFTParameters& parameters,
                                                               const SpectralSettings& settings, TapWindow& tap,
                                                               ProgressReport* progress)
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
        return Result::Waiting;
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
    return computeAll(parent, settings, tap, progress);
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::recompute(const Signal& parent, const SpectralSettings& settings,
                                                           TapWindow& tap, ProgressReport* progress)
{
    if (source_ != Source::TimeFFT)
        return Result::Invalid;
    const uint32_t n = parent.visibleCount();
    const long double fs = parent.sampleRate();
    if (uint64_t(n) < uint64_t(parameters_.N) + parameters_.M || !(fs > 0) || !bandOf(parameters_, fs)) {
        valid_ = false;
        return Result::Invalid;
    }
    try {
        // A window made over a parent too short for it gets its matrix with its first rows.
        if (lacksRows())
            rows_ = FFTRows(parameters_.M, parameters_.N / 2);
        if (scratch_.needsRebuild(settings, parameters_.N)) {
            SpectrumPipeline fresh;
            fresh.build(settings, parameters_.N);
            scratch_ = std::move(fresh);
        }
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    return computeAll(parent, settings, tap, progress);
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::computeAll(const Signal& parent, const SpectralSettings& settings,
                                                            TapWindow& tap, ProgressReport* progress)
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
    return Result::Done;
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::followParent(const Signal& parent, const SpectralSettings& settings,
                                                              TapWindow& tap, ProgressReport* progress)
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
    return Result::Done;
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::createLog(const Signal& parent, uint32_t length)
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
    return Result::Done;
}

TimeFrequencyMatrix::Result TimeFrequencyMatrix::createPicture(uint32_t rows, uint32_t bins, std::span<const float> values)
{
    if (rows < 1 || bins < 1 || values.size() != std::size_t(rows) * bins)
        return Result::Invalid;
    try {
        rows_ = FFTRows(rows, bins);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }
    for (uint32_t r = 0; r < rows; ++r)
        std::copy_n(values.data() + std::size_t(r) * bins, bins, rows_.row(r));
    source_ = Source::Picture;
    parameters_ = TimeFFTParameters{};
    valid_ = true;
    rowStep = rowOrigin = binStep = yOrigin = 1;
    shiftDirection = 0;
    return Result::Done;
}

bool TimeFrequencyMatrix::appendLog(const Signal& parent)
{
    if (source_ != Source::Log || parent.visibleCount() != rows_.bins())
        return false;
    rows_.rotateTowardsFirst();
    std::copy_n(parent.visibleSamples(), rows_.bins(), rows_.row(rows_.rows() - 1));
    shiftDirection = +1;
    ++logEntries;
    if (logEntries > rows_.rows())
        rowOrigin += 1;
    return true;
}

std::optional<std::pair<int32_t, int32_t>> TimeFrequencyMatrix::band() const
{
    if (source_ != Source::TimeFFT || !(sampleRate_ > 0))
        return std::nullopt;
    return bandOf(parameters_, sampleRate_);
}

std::pair<int32_t, int32_t> TimeFrequencyMatrix::binsWithin(long double a, long double b, int32_t topBin) const
{
    const long double fs = sampleRate_;
    const uint32_t N = parameters_.N;
    const long double w = binWidth(fs, N);
    return {clampedBin(std::ceil((a - fs / N) / w), 0, topBin + 1), clampedBin(std::floor((b - fs / N) / w), -1, topBin)};
}

void TimeFrequencyMatrix::followParentX(const Signal& parent)
{
    if (source_ == Source::TimeFFT)
        rowOrigin = double(parent.firstVisibleX());
}
