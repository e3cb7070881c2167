#include <algorithm>
#include <cstring>
#include <fstream>
#include <utility>

#include "LoopbackFixture.h"
#include "settings/ProgramPaths.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "soundcard/CalibrationForm.h"
#include "soundcard/Playback.h"
#include "soundcard/SignalPlayer.h"
#include "soundcard/marluneSB.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tree/ChildEvent.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

TEST_F(AudioLoopback, ToneFromTheOutputIsRecordedAtTheInput)
{
    ASSERT_FALSE(devices.names(SoundDirection::Input).empty());
    ASSERT_FALSE(devices.names(SoundDirection::Output).empty());
    const PcmFormat mono{1, Rate};
    std::unique_ptr<SoundStream> input = devices.open(SoundDirection::Input, SoundDevices::DefaultDevice, mono);
    std::unique_ptr<SoundStream> output = devices.open(SoundDirection::Output, SoundDevices::DefaultDevice, mono);
    ASSERT_NE(input, nullptr);
    ASSERT_NE(output, nullptr);

    std::vector<int16_t> recorded;
    int inputBuffers = 0;
    input->setDoneHandler([&](std::unique_ptr<SoundBuffer> buffer) {
        if (buffer->aborted)
            return;
        recorded.insert(recorded.end(), buffer->samples.begin(), buffer->samples.end());
        ++inputBuffers;
        input->queue(std::move(buffer));
    });
    int played = 0;
    output->setDoneHandler([&](std::unique_ptr<SoundBuffer> buffer) {
        EXPECT_FALSE(buffer->aborted);
        EXPECT_EQ(buffer->done, buffer->samples.size());
        ++played;
    });

    QElapsedTimer clock;
    clock.start();
    for (long tag = 1; tag <= 4; ++tag)
        input->queue(std::make_unique<SoundBuffer>(BufferFrames, tag));
    input->start();
    ASSERT_TRUE(runUntil(clock, [&] { return inputBuffers >= 2; })) << "the input never delivered";

    // Half a second of 1 kHz in five buffers.
    for (long k = 0; k < 5; ++k)
        output->queue(toneBuffer(std::size_t(k) * BufferFrames, k));
    output->start();
    ASSERT_TRUE(runUntil(clock, [&] { return played == 5; })) << "the output took only " << played << " buffers";
    // The server still holds what it took last; a second more of recording covers its latency.
    const int enough = inputBuffers + 10;
    ASSERT_TRUE(runUntil(clock, [&] { return inputBuffers >= enough; }));
    input->reset();
    output->close();

    const Block loudest = loudestBlock(recorded, 4096);
    EXPECT_GT(loudest.rms, 3000) << "the tone (RMS about 11300) did not come back";
    EXPECT_NEAR(loudest.frequency, 1000, 15);
}

// Playback refills its blocks from the notifications; a late refill must not silence the rest.
TEST_F(AudioLoopback, AnOutputThatRanDryPlaysWhatIsQueuedLater)
{
    std::unique_ptr<SoundStream> output =
        devices.open(SoundDirection::Output, SoundDevices::DefaultDevice, {1, Rate});
    ASSERT_NE(output, nullptr);
    int played = 0;
    output->setDoneHandler([&](std::unique_ptr<SoundBuffer>) { ++played; });
    QElapsedTimer clock;
    clock.start();
    output->queue(toneBuffer(0, 0));
    output->start();
    ASSERT_TRUE(runUntil(clock, [&] { return played == 1; }));
    const qint64 dry = clock.elapsed() + 500;
    ASSERT_TRUE(runUntil(clock, [&] { return clock.elapsed() > dry; }));
    output->queue(toneBuffer(0, 1));
    output->queue(toneBuffer(0, 2));
    EXPECT_TRUE(runUntil(clock, [&] { return played == 3; })) << "played " << played << " of 3";
}

namespace {
// The largest spread about the mean of the windows an acquisition window stored, and that window's mean.
struct WindowSpread : ChildListener {
    int windows = 0;
    double largest = 0;
    double meanOfLargest = 0;
    void childChanged(marluneChild& child, const ChildEvent& event) override
    {
        if (event.change != ChildChange::Samples)
            return;
        const Signal& signal = *static_cast<marluneSB&>(child).signal();
        const float* samples = signal.visibleSamples();
        double sum = 0;
        double squares = 0;
        for (uint32_t i = 0; i < signal.visibleCount(); ++i) {
            sum += samples[i];
            squares += double(samples[i]) * samples[i];
        }
        const double n = signal.visibleCount();
        const double spreadHere = std::sqrt(std::max(squares / n - (sum / n) * (sum / n), 0.0));
        if (spreadHere > largest) {
            largest = spreadHere;
            meanOfLargest = sum / n;
        }
        ++windows;
    }
};
}  // namespace

namespace {
// The frequency of the loudest spectrum bin (DC aside) the spectrum window computed while live.
struct SpectrumPeak : ChildListener {
    double loudest = 0;
    double frequencyOfLoudest = 0;
    void childChanged(marluneChild& child, const ChildEvent& event) override
    {
        if (event.change != ChildChange::Samples)
            return;
        const Signal& spectrum = *static_cast<marluneMDIChild&>(child).signal();
        for (uint32_t i = 2; i < spectrum.count(); ++i)
            if (spectrum.samples()[i] > loudest) {
                loudest = spectrum.samples()[i];
                frequencyOfLoudest = double(spectrum.xOfIndex(i));
            }
    }
};
}  // namespace

// A signal window plays a tone while an acquisition window records it back, both on the real devices.
TEST_F(AudioLoopback, AnAcquisitionWindowRecordsWhatASignalWindowPlays)
{
    ScriptedUi ui;
    marluneMDIClient client(ui, "/nonexistent/");
    Playback playback(client, devices);

    constexpr uint32_t Block = BufferFrames;
    std::vector<float> tone(20 * Block);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = float(std::sin(2 * std::numbers::pi * 1000 * double(i) / Rate));
    auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, tone.data(), uint32_t(tone.size()), Rate);
    ASSERT_TRUE(signal->zoomIn(0, Block - 1));
    auto* file = static_cast<marluneMDIChild*>(
        client.addWindow(std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, std::move(signal))));

    AcquisitionSettings settings;
    settings.sampleRate = Rate;
    settings.windowLength = int32_t(Block);
    marluneSB* acquisition = marluneSB::create(client, devices, settings);
    ASSERT_NE(acquisition, nullptr);
    WindowSpread spread;
    acquisition->subscribe(spread);
    client.spectralSettings = builtInSpectralDefaults({});
    client.setActiveChild(acquisition);
    client.dispatch(Cmd::FFT);
    ASSERT_EQ(client.windows().size(), 3u) << "no spectrum under the acquisition window";
    auto* spectrum = static_cast<marluneMDIChild*>(client.windows().back());
    SpectrumPeak peak;
    spectrum->subscribe(peak);
    client.setActiveChild(acquisition);
    client.dispatch(Cmd::Start);
    ASSERT_FALSE(acquisition->stopped()) << (ui.messages.empty() ? std::string() : ui.messages[0].text);

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(runUntil(clock, [&] { return spread.windows >= 2; })) << "the input never delivered";
    client.setActiveChild(file);
    client.dispatch(Cmd::PlayWithSound);
    ASSERT_NE(playback.player(*file), nullptr);
    ASSERT_TRUE(runUntil(clock, [&] { return playback.player(*file)->stopped(); })) << "playback never ended";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(file->signal()->firstVisible(), 19 * Block) << "the view followed the blocks";
    const int enough = spread.windows + 10;
    ASSERT_TRUE(runUntil(clock, [&] { return spread.windows >= enough; }));
    client.setActiveChild(acquisition);
    client.dispatch(Cmd::Stop);
    EXPECT_TRUE(acquisition->stopped());
    // Played as -15000 ... 15000, the tone's spread is about 10600 and it comes back centred on zero.
    EXPECT_GT(spread.largest, 3000);
    EXPECT_LT(std::fabs(spread.meanOfLargest), spread.largest * 0.05) << "a DC offset on the output";
    acquisition->unsubscribe(spread);
    spectrum->unsubscribe(peak);
    // A 4096-point spectrum at 44100 Hz has bins 10.8 Hz apart.
    EXPECT_NEAR(peak.frequencyOfLoudest, 1000, 11) << "the spectrum's loudest bin";
    EXPECT_TRUE(acquisition->lostBuffers() == 0) << acquisition->caption();
}

// The calibration's measurement reads the peak of what reaches the input: a tone played at 16000 of
// 32767 gives 48.83 % on both channels of the loopback.
TEST_F(AudioLoopback, CalibrationMeasuringReadsThePlayedAmplitude)
{
    ScriptedUi ui;
    CalibrationForm form(ui, devices, ProgramPaths("/nonexistent"), "/nonexistent/calibration/default.cal");
    // Every measurement shown; an output that ran dry under load disturbs a reading now and then (a
    // gap lowers the peak, the edge of a gap may ring above it), so the median is the played amplitude.
    std::vector<std::pair<double, double>> readings;
    form.showFields = [&] {
        readings.emplace_back(std::stod(form.inputLevel1Text), std::stod(form.inputLevel2Text));
    };
    std::unique_ptr<SoundStream> output = devices.open(SoundDirection::Output, SoundDevices::DefaultDevice, {1, Rate});
    ASSERT_NE(output, nullptr);
    int played = 0;
    output->setDoneHandler([&](std::unique_ptr<SoundBuffer> buffer) {
        ++played;
        // Keeps the tone going, continuous from buffer to buffer, until the measurement is read.
        output->queue(toneBuffer(std::size_t(buffer->user + 4) * BufferFrames, buffer->user + 4));
    });
    for (long k = 0; k < 4; ++k)
        output->queue(toneBuffer(std::size_t(k) * BufferFrames, k));
    output->start();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(runUntil(clock, [&] { return played >= 2; })) << "the output never played";
    form.toggleMeasuring();
    ASSERT_TRUE(form.measuring()) << (ui.messages.empty() ? std::string() : ui.messages[0].text);
    ASSERT_TRUE(runUntil(clock, [&] { return readings.size() >= 7; })) << "no measurement arrived";
    form.toggleMeasuring();
    output->close();
    const auto median = [&readings](double std::pair<double, double>::*level) {
        std::vector<double> values;
        for (const auto& reading : readings)
            values.push_back(reading.*level);
        std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    const double expected = 16000.0 / 32767 * 100;
    EXPECT_NEAR(median(&std::pair<double, double>::first), expected, expected * 0.01);
    EXPECT_NEAR(median(&std::pair<double, double>::second), expected, expected * 0.01);
}

// The signal's last samples, fewer than a block, sound whole: recorded from the sink's monitor, the
// final 3000 Hz part lasts as long as it does in the signal.
TEST_F(AudioLoopback, TheLastSamplesOfASignalAreHeardToTheEnd)
{
    ScriptedUi ui;
    marluneMDIClient client(ui, "/nonexistent/");
    Playback playback(client, devices);
    constexpr uint32_t Block = BufferFrames;
    constexpr uint32_t Tail = 2910;
    std::vector<float> signal(10 * Block + Tail);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double hertz = i < 10 * Block ? 1000 : 3000;
        signal[i] = float(std::sin(2 * std::numbers::pi * hertz * double(i) / Rate));
    }
    auto record = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, signal.data(), uint32_t(signal.size()), Rate);
    ASSERT_TRUE(record->zoomIn(0, Block - 1));
    auto* file = static_cast<marluneMDIChild*>(
        client.addWindow(std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, std::move(record))));

    TempFolder folder;
    const std::string raw = (folder.path / "monitor.raw").string();
    const std::string pid = (folder.path / "parec.pid").string();
    ASSERT_EQ(std::system(("timeout 30 parec -d " + std::string(MonitorSource) + " --format=s16le --rate=" +
                           std::to_string(Rate) + " --channels=1 --latency-msec=20 > '" + raw + "' & echo $! > '" +
                           pid + "'")
                              .c_str()),
              0);
    QElapsedTimer clock;
    clock.start();
    runUntil(clock, [&] { return clock.elapsed() > 400; });
    client.setActiveChild(file);
    client.dispatch(Cmd::PlayWithSound);
    ASSERT_NE(playback.player(*file), nullptr);
    ASSERT_TRUE(runUntil(clock, [&] { return playback.player(*file)->stopped(); })) << "playback never ended";
    const qint64 ended = clock.elapsed();
    runUntil(clock, [&] { return clock.elapsed() > ended + 400; });
    std::system(("kill $(cat '" + pid + "') 2>/dev/null; sleep 0.2").c_str());

    const std::string bytes = readBytes(folder.path / "monitor.raw");
    std::vector<int16_t> heard(bytes.size() / 2);
    std::memcpy(heard.data(), bytes.data(), heard.size() * 2);
    // 10 ms windows of the high tone: as many as the tail lasts (66 ms), give or take one at each edge.
    constexpr std::size_t Window = Rate / 100;
    int highWindows = 0;
    int lowWindows = 0;
    for (std::size_t start = 0; start + Window <= heard.size(); start += Window) {
        const ::Block block = blockAt(heard, start, Window);
        if (block.rms < 3000)
            continue;
        highWindows += std::fabs(block.frequency - 3000) < 300;
        lowWindows += std::fabs(block.frequency - 1000) < 150;
    }
    EXPECT_GE(lowWindows, 95) << "the 1 s of 1000 Hz";
    EXPECT_GE(highWindows, 5) << "the last " << Tail << " samples were not heard whole";
    EXPECT_LE(highWindows, 7);
}
