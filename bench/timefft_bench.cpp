// A Time FFT of ten minutes of 48 kHz audio (N = 1024, M = 56 000 segments, Hanning taper, magnitude)
// against a loop of the same steps with FFTW in the same run: an r2c plan made once with
// FFTW_ESTIMATE, the taper multiplied in, the magnitudes of bins 1 ... N/2 stored as the rows of a
// newly allocated matrix. The Time FFT runs on one and on two threads. Each reports the minimum of its
// repetitions, interleaved with the others' so that the machine's load falls on all: wall-clock time, and
// as CPU time the process's, summed over its threads. On a shared machine two threads cannot show their
// scaling in wall-clock time; equal CPU time on one and on two threads shows that none of the work is
// repeated or slowed by the other thread, leaving the part run by one thread alone as the only loss.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BenchMinimum.h"
#include "dsp/SpectralSettings.h"
#include "dsp/SpectrumOutput.h"
#include "dsp/TapWindow.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "signal/FFTRows.h"
#include "views/FFTSignal.h"

namespace {

constexpr uint32_t Rate = 48000;
constexpr uint32_t Count = 10 * 60 * Rate;
constexpr uint32_t N = 1024;
constexpr uint32_t M = 56000;

const Signal& audio()
{
    static const Signal signal = [] {
        std::vector<float> samples(Count);
        for (uint32_t t = 0; t < Count; ++t)
            samples[t] = float(std::sin(0.05 * double(t)) + 0.3 * std::sin(0.731 * double(t)));
        return Signal(nullptr, SignalKind::FileSignal, samples.data(), Count, Rate);
    }();
    return signal;
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

const TimeFFTParameters Choices{N, M, 15, 3, double(Rate) / N, Rate / 2.0};

// The argument is the number of threads that share the segments.
void BM_TimeFFT(benchmark::State& state)
{
    const SpectralSettings settings = hanningMagnitude();
    TapWindow tap;
    for (auto _ : state) {
        FFTSignal data;
        data.setThreads(unsigned(state.range(0)));
        if (data.createTimeFFT(audio(), Choices, settings, tap) != FFTSignal::Result::Done)
            state.SkipWithError("no Time FFT");
        benchmark::DoNotOptimize(data.row(M - 1));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(M));
}

void BM_FftwSameSteps(benchmark::State& state)
{
    TapWindow tap;
    tap.set(TapWindow::Hanning, N, false);
    const std::vector<float> taper(tap.values(), tap.values() + N);
    const uint32_t hop = (Count - N) / (M - 1);
    float* in = fftwf_alloc_real(N);
    fftwf_complex* out = fftwf_alloc_complex(N / 2 + 1);
    const fftwf_plan plan = fftwf_plan_dft_r2c_1d(int(N), in, out, FFTW_ESTIMATE);
    const float* samples = audio().samples();
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

void minimumOfRepetitions(benchmark::internal::Benchmark* b)
{
    withMinimum(b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime(), 9);
}

}  // namespace

BENCHMARK(BM_TimeFFT)->Arg(1)->Arg(2)->Apply(minimumOfRepetitions);
BENCHMARK(BM_FftwSameSteps)->Apply(minimumOfRepetitions);
BENCHMARK_MAIN();
