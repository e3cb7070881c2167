// Real transform of 2^8 … 2^22 samples, and of lengths with factors 3, 5 and 7: our engine (pack the
// samples alternately into re and im, complex transform of half the length, real split) against FFTW's
// r2c plan made with FFTW_ESTIMATE, on the same samples in the same run. Like FFTW's plan, ours (the
// twiddles) is made once outside the timed loop; the one-call entry points, which make it on every call,
// are timed too (powers of two only).
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BenchMinimum.h"
#include "dsp/FftEngine.h"
#include "dsp/FftPlan.h"
#include "dsp/FftRealPacking.h"
#include "dsp/FftRealSplitPlan.h"

namespace {

std::vector<float> testSignal(std::size_t count)
{
    std::vector<float> samples(count);
    for (std::size_t t = 0; t < count; ++t)
        samples[t] = float(std::sin(0.001 * double(t)) + 0.25 * std::cos(0.37 * double(t)));
    return samples;
}

void BM_Marlune(benchmark::State& state)
{
    const std::size_t count = std::size_t(state.range(0));
    const std::size_t n = count / 2;
    const std::vector<float> samples = testSignal(count);
    std::vector<float> re(n + 1);
    std::vector<float> im(n + 1);
    const FftPlan plan(n, n, n, -1);
    const FftRealSplitPlan split(n, -1);
    for (auto _ : state) {
        fftPackReal(samples.data(), n, re.data(), im.data());
        if (plan.execute(re.data(), im.data()) != FftStatus::Ok || split.execute(re.data(), im.data()) != FftStatus::Ok)
            state.SkipWithError("transform refused");
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(count));
}

void BM_MarluneOneCall(benchmark::State& state)
{
    const std::size_t count = std::size_t(state.range(0));
    const std::size_t n = count / 2;
    const std::vector<float> samples = testSignal(count);
    std::vector<float> re(n + 1);
    std::vector<float> im(n + 1);
    for (auto _ : state) {
        fftPackReal(samples.data(), n, re.data(), im.data());
        if (FftEngine::transform(re.data(), im.data(), n, n, n, -1) != FftStatus::Ok
            || FftEngine::realSplit(re.data(), im.data(), n, -1) != FftStatus::Ok)
            state.SkipWithError("transform refused");
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(count));
}

void BM_Fftw(benchmark::State& state)
{
    const int count = int(state.range(0));
    const std::vector<float> samples = testSignal(std::size_t(count));
    float* in = fftwf_alloc_real(std::size_t(count));
    fftwf_complex* out = fftwf_alloc_complex(std::size_t(count) / 2 + 1);
    const fftwf_plan plan = fftwf_plan_dft_r2c_1d(count, in, out, FFTW_ESTIMATE);
    std::copy(samples.begin(), samples.end(), in);
    for (auto _ : state) {
        fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(count));
    fftwf_destroy_plan(plan);
    fftwf_free(out);
    fftwf_free(in);
}

// Lengths 2^8 ... 2^22, each the minimum of short repetitions.
void lengths(benchmark::internal::Benchmark* b)
{
    withMinimum(b->RangeMultiplier(2)->Range(1 << 8, 1 << 22)->MinTime(0.05), 9);
}

// Lengths with odd factors that people choose: a millisecond or a second at 44.1 or 48 kHz, round numbers.
void mixedLengths(benchmark::internal::Benchmark* b)
{
    for (const int count : {1000, 1536, 3000, 6000, 10000, 44100, 48000, 96000})
        b->Arg(count);
    withMinimum(b->MinTime(0.05), 9);
}

}  // namespace

BENCHMARK(BM_Marlune)->Apply(lengths);
BENCHMARK(BM_MarluneOneCall)->Apply(lengths);
BENCHMARK(BM_Fftw)->Apply(lengths);
BENCHMARK(BM_Marlune)->Apply(mixedLengths);
BENCHMARK(BM_Fftw)->Apply(mixedLengths);

BENCHMARK_MAIN();
