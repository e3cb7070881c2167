// Loading a workspace of 200 windows over ten minutes of 48 kHz audio, against the work it stands for,
// measured in the same run: opening the WAV file and making each of the 199 derived windows once.
// The root is zoomed to 2^16 samples, as a person looks at a long recording, so every derived window
// computes over that part. The passes of the loader must not make any window twice.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <vector>

#include "BenchMinimum.h"
#include "fileio/WavWriter.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/BatchUiServices.h"
#include "tree/DerivedWindows.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
constexpr uint32_t Rate = 48000;
constexpr uint32_t Count = 10 * 60 * Rate;
constexpr uint32_t Visible = 1u << 16;

const std::filesystem::path& folder()
{
    static const std::filesystem::path path = [] {
        const auto made = std::filesystem::temp_directory_path() / "marlune-workspace-bench";
        std::filesystem::create_directories(made);
        return made;
    }();
    return path;
}

std::ostream& quiet()
{
    static std::ostringstream sink;
    return sink;
}

// The derived kinds of the tree, in turn; every fifth window hangs below the one before it.
constexpr int32_t Kinds[] = {SignalKind::Spectrum, SignalKind::Filtered, SignalKind::Smoothed, SignalKind::Detrended,
                             SignalKind::PeaksRemoved};

PendingParameters parametersOf(int32_t kind)
{
    if (kind == SignalKind::Filtered)
        return {1000, 4000, 2};
    if (kind == SignalKind::Smoothed)
        return {1, 9};
    if (kind == SignalKind::PeaksRemoved)
        return {3};
    return {};
}

marluneMDIChild* openZoomed(marluneMDIClient& client)
{
    marluneMDIChild* root = client.openFiles({(folder() / "long.wav").string()});
    static_cast<void>(root->signal()->zoomIn(Count / 2, Count / 2 + Visible - 1));
    return root;
}

// Makes the 199 windows below the root; the count of windows made.
int deriveAll(marluneMDIClient& client, marluneMDIChild& root)
{
    int made = 0;
    marluneChild* previous = &root;
    for (int i = 0; i < 199; ++i) {
        const int32_t kind = Kinds[i % 5];
        marluneChild& parent = i % 5 == 4 && previous->kind() != SignalKind::Spectrum ? *previous : root;
        previous = DerivedWindows::createChild(client, parent, kind, parametersOf(kind));
        made += previous != nullptr;
        if (!previous)
            previous = &root;
    }
    return made;
}

void prepare()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::vector<float> samples(Count);
    for (uint32_t t = 0; t < Count; ++t)
        samples[t] = float(std::round(8000 * std::sin(0.05 * double(t)) + 3000 * std::sin(0.731 * double(t))));
    const Signal signal(nullptr, SignalKind::FileSignal, samples.data(), Count, Rate);
    static_cast<void>(writeWavFile(folder() / "long.wav", signal));
    BatchUiServices ui(quiet());
    marluneMDIClient client(ui, "/nonexistent/");
    client.spectralSettings = builtInSpectralDefaults({});
    deriveAll(client, *openZoomed(client));
    static_cast<void>(WorkspaceWriter::saveWorkspace(client, (folder() / "tree.mws").string()));
}

void BM_OpenAndMakeEachWindowOnce(benchmark::State& state)
{
    prepare();
    for (auto _ : state) {
        BatchUiServices ui(quiet());
        marluneMDIClient client(ui, "/nonexistent/");
        client.spectralSettings = builtInSpectralDefaults({});
        state.counters["windows"] = 1 + deriveAll(client, *openZoomed(client));
    }
}

void BM_LoadWorkspace(benchmark::State& state)
{
    prepare();
    for (auto _ : state) {
        BatchUiServices ui(quiet());
        marluneMDIClient client(ui, "/nonexistent/");
        client.spectralSettings = builtInSpectralDefaults({});
        client.workspaces().load((folder() / "tree.mws").string());
        state.counters["windows"] = double(client.windows().size());
    }
}
}  // namespace

BENCHMARK(BM_OpenAndMakeEachWindowOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(minimumOf5);
BENCHMARK(BM_LoadWorkspace)->Unit(benchmark::kMillisecond)->UseRealTime()->Apply(minimumOf5);
BENCHMARK_MAIN();
