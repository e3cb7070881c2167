// A Time FFT of ten minutes of 48 kHz audio (N = 1024, M = 56 000 segments, Hanning taper, magnitude), in
// floats and in the whole numbers of a 16-bit file, and of two hours of 44.1 kHz audio with the dialog's
// defaults (N = 1024, M = 465 117) together with what its mesh window computes before it draws (the
// sampled cells of the whole level), each against a loop of the same steps with FFTW in the same run: an
// r2c plan made once with FFTW_ESTIMATE, the taper multiplied in, the magnitudes of bins 1 ... N/2 stored
// as the rows of a newly allocated matrix. BM_TimeFFTRecompute is what a change of the parent's view
// costs the window: the same rows computed again into the matrix it has. The Time FFT runs on one and on two threads. Each reports the minimum of its
// repetitions, interleaved with the others' so that the machine's load falls on all: wall-clock time, and
// as CPU time the process's, summed over its threads. On a shared machine two threads cannot show their
// scaling in wall-clock time; equal CPU time on one and on two threads shows that none of the work is
// repeated or slowed by the other thread, leaving the part run by one thread alone as the only loss.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "BenchMinimum.h"
#include "dsp/SpectralSettings.h"
#include "dsp/SpectrumOutput.h"
#include "dsp/TapWindow.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "signal/FFTRows.h"
#include "views/FFTSignal.h"
#include "views/MeshSampling.h"

namespace {

constexpr uint32_t N = 1024;

// One recording of each length, made once.
struct Recording {
    uint32_t rate;
    uint32_t count;
    uint32_t segments;
    bool integers = false;  // the whole numbers a 16-bit file's reader delivers
};
constexpr Recording TenMinutes{48000, 10 * 60 * 48000, 56000};
constexpr Recording TenMinutes16Bit{48000, 10 * 60 * 48000, 56000, true};
// The dialog offers floor(1.5 x count / N) segments.
constexpr Recording TwoHours{44100, 2 * 3600 * 44100, uint32_t(1.5 * 2 * 3600 * 44100 / N)};

const Signal& audio(const Recording& recording)
{
    static std::map<std::pair<uint32_t, bool>, Signal> made;
    const std::pair key{recording.count, recording.integers};
    auto found = made.find(key);
    if (found == made.end()) {
        std::vector<float> samples(recording.count);
        for (uint32_t t = 0; t < recording.count; ++t) {
            const double value = std::sin(0.05 * double(t)) + 0.3 * std::sin(0.731 * double(t));
            samples[t] = float(recording.integers ? std::round(value * 20000) : value);
        }
        found = made.try_emplace(key, nullptr, SignalKind::FileSignal, samples.data(), recording.count,
                                 recording.rate).first;
    }
    return found->second;
}

TimeFFTParameters choicesFor(const Recording& recording)
{
    return {N, recording.segments, 15, 3, double(recording.rate) / N, recording.rate / 2.0};
}

SpectralSettings hanningMagnitude()
{
    SpectralSettings settings;
    settings.doTaper = 1;
    settings.window = TapWindow::Hanning;
    settings.show = SpectrumShow::Magnitude;
    settings.testPeaksLevel = 5;
    settings.removePeaksVal = 2;
    settings.smoothLen = 15;
    return settings;
}

// The argument is the number of threads that share the segments.
void timeFFT(benchmark::State& state, const Recording& recording, bool prepareMesh)
{
    const SpectralSettings settings = hanningMagnitude();
    const uint32_t M = recording.segments;
    TapWindow tap;
    for (auto _ : state) {
        FFTSignal data;
        data.setThreads(unsigned(state.range(0)));
        if (data.createTimeFFT(audio(recording), choicesFor(recording), settings, tap) != FFTSignal::Result::Done)
            state.SkipWithError("no Time FFT");
        if (prepareMesh)
            benchmark::DoNotOptimize(MeshSampling(data, data.level()).value(0, 0));
        benchmark::DoNotOptimize(data.row(M - 1));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(M));
}

void BM_TimeFFT(benchmark::State& state)
{
    timeFFT(state, TenMinutes, false);
}

void BM_TimeFFTRecompute(benchmark::State& state)
{
    const SpectralSettings settings = hanningMagnitude();
    TapWindow tap;
    FFTSignal data;
    data.setThreads(unsigned(state.range(0)));
    const Signal& parent = audio(TenMinutes);
    if (data.createTimeFFT(parent, choicesFor(TenMinutes), settings, tap) != FFTSignal::Result::Done)
        state.SkipWithError("no Time FFT");
    for (auto _ : state) {
        if (data.recompute(parent, settings, tap) != FFTSignal::Result::Done)
            state.SkipWithError("no Time FFT");
        benchmark::DoNotOptimize(data.row(TenMinutes.segments - 1));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(TenMinutes.segments));
}

void BM_TimeFFT16Bit(benchmark::State& state)
{
    timeFFT(state, TenMinutes16Bit, false);
}

void BM_TwoHourTimeFFTAndMesh(benchmark::State& state)
{
    timeFFT(state, TwoHours, true);
}

void fftwSameSteps(benchmark::State& state, const Recording& recording)
{
    const uint32_t M = recording.segments;
    TapWindow tap;
    tap.set(TapWindow::Hanning, N, false);
    const std::vector<float> taper(tap.values(), tap.values() + N);
    const uint32_t hop = (recording.count - N) / (M - 1);
    float* in = fftwf_alloc_real(N);
    fftwf_complex* out = fftwf_alloc_complex(N / 2 + 1);
    const fftwf_plan plan = fftwf_plan_dft_r2c_1d(int(N), in, out, FFTW_ESTIMATE);
    const float* samples = audio(recording).samples();
    for (auto _ : state) {
        // A new matrix each time, as a new Time FFT window has, allocated as the window allocates it.
        FFTRows rows(M, N / 2);
        for (uint32_t i = 0; i < M; ++i) {
            const float* segment = samples + std::size_t(i) * hop;
            for (uint32_t k = 0; k < N; ++k)
                in[k] = segment[k] * taper[k];
            fftwf_execute(plan);
            float* row = rows.row(i);
            for (uint32_t b = 0; b < N / 2; ++b)
                row[b] = std::hypot(out[b + 1][0], out[b + 1][1]) * (2.0f / N);
        }
        benchmark::DoNotOptimize(rows.row(M - 1));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(M));
    fftwf_destroy_plan(plan);
    fftwf_free(out);
    fftwf_free(in);
}

void BM_FftwSameSteps(benchmark::State& state)
{
    fftwSameSteps(state, TenMinutes);
}

void BM_Fftw16BitSameSteps(benchmark::State& state)
{
    fftwSameSteps(state, TenMinutes16Bit);
}

void BM_TwoHourFftwSameSteps(benchmark::State& state)
{
    fftwSameSteps(state, TwoHours);
}

void minimumOfRepetitions(benchmark::internal::Benchmark* b)
{
    withMinimum(b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime(), 9);
}

// Two hours take seconds a run: three repetitions each.
void minimumOfThree(benchmark::internal::Benchmark* b)
{
    withMinimum(b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime(), 3);
}

}  // namespace

BENCHMARK(BM_TimeFFT)->Arg(1)->Arg(2)->Apply(minimumOfRepetitions);
BENCHMARK(BM_FftwSameSteps)->Apply(minimumOfRepetitions);
BENCHMARK(BM_TimeFFTRecompute)->Arg(1)->Arg(2)->Apply(minimumOfRepetitions);
BENCHMARK(BM_TimeFFT16Bit)->Arg(1)->Arg(2)->Apply(minimumOfRepetitions);
BENCHMARK(BM_Fftw16BitSameSteps)->Apply(minimumOfRepetitions);
BENCHMARK(BM_TwoHourTimeFFTAndMesh)->Arg(1)->Arg(2)->Apply(minimumOfThree);
BENCHMARK(BM_TwoHourFftwSameSteps)->Apply(minimumOfThree);
BENCHMARK_MAIN();
