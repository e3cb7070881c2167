// One repaint of a signal pane over a large signal, and the direct min/max scan below the summary.
#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>

#include "BenchMinimum.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/BatchUiServices.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/CurvePlot.h"
#include "views/ui/TSigWindow.h"

namespace {
constexpr int Columns = 1000;

std::unique_ptr<Signal> noise(uint32_t count)
{
    auto block = Signal::allocateSamples(count);
    uint32_t state = 12345;
    for (uint32_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        block[i] = float(int32_t(state)) * (1.0f / 2147483648.0f);
    }
    return std::make_unique<Signal>(nullptr, SignalKind::FileSignal, std::move(block), count, 44100.0L);
}

struct Pane {
    explicit Pane(uint32_t count) : window(client, SignalKind::FileSignal, noise(count)), pane(window)
    {
        window.setDrawAxes(false);
    }
    BatchUiServices ui{std::cerr};
    marluneMDIClient client{ui, "/nonexistent/"};
    marluneMDIChild window;
    TSigWindow pane;
};

// The columns from the summary must equal those of a scan over every sample of each column.
bool summaryMatchesDirectScan(const Signal& signal)
{
    const CurvePlot plot(Columns, signal.visibleCount(), signal.yMin(), signal.yMax(), false);
    const float* samples = signal.visibleSamples();
    const auto summary = plot.columns([&](uint32_t a, uint32_t b) { return signal.extremes(a, b); }, 0,
                                      plot.lastColumn());
    const auto direct = plot.columns([&](uint32_t a, uint32_t b) { return MinMaxSummary::scan(samples + a, b - a); },
                                     0, plot.lastColumn());
    if (summary.size() != direct.size())
        return false;
    for (std::size_t i = 0; i < summary.size(); ++i)
        if (summary[i].x != direct[i].x || summary[i].top != direct[i].top || summary[i].bottom != direct[i].bottom)
            return false;
    return true;
}

void BM_Repaint(benchmark::State& state)
{
    static Pane pane(uint32_t(state.range(0)));
    if (!summaryMatchesDirectScan(*pane.window.signal())) {
        state.SkipWithError("summary columns differ from the direct scan");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(pane.pane.render(QSize(Columns, 400)));
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * int64_t(sizeof(float)));
}
BENCHMARK(BM_Repaint)->Arg(100'000'000)->Unit(benchmark::kMillisecond)->Apply(minimumOf5);

// 200 000 samples over 1000 columns stay below the summary: every column is scanned directly.
void BM_RepaintDirect(benchmark::State& state)
{
    Pane pane(uint32_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(pane.pane.render(QSize(Columns, 400)));
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * int64_t(sizeof(float)));
}
BENCHMARK(BM_RepaintDirect)->Arg(200'000)->Arg(400'000)->Unit(benchmark::kMicrosecond)->Apply(minimumOf9);

void BM_DirectScan(benchmark::State& state)
{
    const auto signal = noise(uint32_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MinMaxSummary::scan(signal->samples(), signal->count()));
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * int64_t(sizeof(float)));
}
BENCHMARK(BM_DirectScan)->Arg(64 * 1024)->Arg(1 << 20)->Arg(64 << 20)->Apply(minimumOf9);

void BM_SummaryBuild(benchmark::State& state)
{
    const auto signal = noise(uint32_t(state.range(0)));
    MinMaxSummary summary;
    for (auto _ : state)
        summary.rebuild(signal->samples(), signal->count());
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * int64_t(sizeof(float)));
}
BENCHMARK(BM_SummaryBuild)->Arg(100'000'000)->Unit(benchmark::kMillisecond)->Apply(minimumOf5);
}  // namespace
