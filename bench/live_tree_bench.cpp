// A live tree under a 48 kHz acquisition window with pages of 2048 samples: its spectrum, a Time FFT
// linked by its hop, three instruments (RMS, maximum, mean) and a log of the RMS. Each page is handed
// over by a virtual device, as the sound card would hand it, and the time from the buffer's arrival to
// the end of the update of the whole tree is taken page by page: the p50 and p99 are the counters.
// BM_LoopbackMinutes records for real through the sound server (run it under
// tools/with-audio-loopback.sh) and counts the buffers lost while the tree keeps up.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>
#include <vector>

#include "BenchMinimum.h"
#include "instruments/InstrumentKinds.h"
#include "kinds/WindowKindRegistration.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/SignalKind.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/VirtualSoundStream.h"
#include "soundcard/marluneSB.h"
#include "soundcard/ui/QtSoundDevices.h"
#include "tree/BatchUiServices.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIClient.h"

namespace {
constexpr int32_t Rate = 48000;
constexpr int32_t Page = 2048;

std::ostream& quiet()
{
    static std::ostringstream sink;
    return sink;
}

// The tree below a started acquisition window on `devices`.
marluneSB* liveTree(marluneMDIClient& client, SoundDevices& devices)
{
    registerWindowKinds(client, &devices);
    client.spectralSettings = builtInSpectralDefaults({});
    AcquisitionSettings settings;
    settings.sampleRate = Rate;
    settings.windowLength = Page;
    marluneSB* acquisition = marluneSB::create(client, devices, settings);
    DerivedWindows::createChild(client, *acquisition, SignalKind::Spectrum);
    marlune3DChild* timeFFT = marlune3DChild::createTimeFFT(client, *acquisition, {1024, 200, -1, -1, 0, Rate / 2.0});
    timeFFT->link();
    marluneChild* rms = DerivedWindows::createChild(client, *acquisition, InstrumentKinds::Rms);
    DerivedWindows::createChild(client, *acquisition, InstrumentKinds::Maximum);
    DerivedWindows::createChild(client, *acquisition, InstrumentKinds::Mean);
    DerivedWindows::createChild(client, *rms, SignalKind::Track, {1000});
    client.setActiveChild(acquisition);
    client.dispatch(Cmd::Start);
    return acquisition;
}

std::vector<int16_t> tone(std::size_t count, std::size_t first)
{
    std::vector<int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = int16_t(std::lround(12000 * std::sin(0.13 * double(first + i)) + 300 * std::sin(0.9 * double(i))));
    return samples;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

void BM_LivePage(benchmark::State& state)
{
    BatchUiServices ui(quiet());
    VirtualSoundDevices devices;
    marluneMDIClient client(ui, "/nonexistent/");
    liveTree(client, devices);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Input);
    std::vector<double> ms;
    std::size_t fed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        devices.inputSamples = tone(Page, fed);
        devices.inputPosition = 0;
        fed += Page;
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        stream->deliver();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["p50_ms"] = percentile(ms, 0.5);
    state.counters["p99_ms"] = percentile(ms, 0.99);
}

// The argument is the length of the recording in seconds.
void BM_LoopbackMinutes(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "live_tree_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    for (auto _ : state) {
        BatchUiServices ui(quiet());
        QtSoundDevices devices;
        marluneMDIClient client(ui, "/nonexistent/");
        marluneSB* acquisition = liveTree(client, devices);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < state.range(0) * 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        // A device that failed would have stopped the recording with a message.
        state.counters["still_recording"] = acquisition->stopped() ? 0 : 1;
        client.dispatch(Cmd::Stop);
        state.counters["pages"] = acquisition->bufferCount();
        state.counters["lost_buffers"] = acquisition->lostBuffers();
    }
}
}  // namespace

BENCHMARK(BM_LivePage)->Unit(benchmark::kMillisecond)->Iterations(3000)->Apply(minimumOf5);
// A soak run of real time, judged by its counters, once.
BENCHMARK(BM_LoopbackMinutes)->Arg(600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_MAIN();
