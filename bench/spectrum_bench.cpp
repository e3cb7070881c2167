// Spectrum update of a 2^20-sample visible range (Hanning taper, magnitude output) against the same
// steps done with FFTW in the same run: an r2c plan made once with FFTW_ESTIMATE, the taper
// multiplied in, the magnitudes of bins 1 … n. The spectrum's buffers and plans are built once by
// create(), as FFTW's plan is made once outside its timed loop.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BenchMinimum.h"
#include "dsp/SpectralSettings.h"
#include "dsp/TapWindow.h"
#include "signal/SpectrumSignal.h"

namespace {

constexpr std::size_t Count = std::size_t(1) << 20;

std::vector<float> testSignal(std::size_t count)
{
    std::vector<float> samples(count);
    for (std::size_t t = 0; t < count; ++t)
        samples[t] = float(std::sin(0.001 * double(t)) + 0.25 * std::cos(0.37 * double(t)) + 0.1);
    return samples;
}

void BM_SpectrumUpdate(benchmark::State& state)
{
    const std::vector<float> samples = testSignal(Count);
    SpectralSettings settings;
    settings.doTaper = 1;
    settings.window = TapWindow::Hanning;
    settings.show = 2;
    TapWindow tap;
    auto signal = SpectrumSignal::create(nullptr, settings, samples.data(), uint32_t(Count), 44100, tap);
    auto& spectrum = static_cast<SpectrumSignal&>(*signal);
    for (auto _ : state) {
        spectrum.update(settings, samples.data(), uint32_t(Count), 44100, tap);
        benchmark::DoNotOptimize(spectrum.samples());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(Count));
}

void BM_FftwSameSteps(benchmark::State& state)
{
    const std::vector<float> samples = testSignal(Count);
    TapWindow tap;
    tap.set(TapWindow::Hanning, uint32_t(Count), false);
    const std::vector<float> taper(tap.values(), tap.values() + Count);
    const std::size_t n = Count / 2;
    float* in = fftwf_alloc_real(Count);
    fftwf_complex* out = fftwf_alloc_complex(n + 1);
    std::vector<float> magnitude(n);
    const fftwf_plan plan = fftwf_plan_dft_r2c_1d(int(Count), in, out, FFTW_ESTIMATE);
    const float scale = 2.0f / float(Count);
    for (auto _ : state) {
        for (std::size_t i = 0; i < Count; ++i)
            in[i] = samples[i] * taper[i];
        fftwf_execute(plan);
        for (std::size_t j = 1; j <= n; ++j)
            magnitude[j - 1] = std::sqrt(out[j][0] * out[j][0] + out[j][1] * out[j][1]) * scale;
        benchmark::DoNotOptimize(magnitude.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(Count));
    fftwf_destroy_plan(plan);
    fftwf_free(out);
    fftwf_free(in);
}

}  // namespace

BENCHMARK(BM_SpectrumUpdate)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);
BENCHMARK(BM_FftwSameSteps)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);

BENCHMARK_MAIN();
