#include <QProcess>
#include <algorithm>
#include <cstdio>

#include "LoopbackFixture.h"
#include "OwnServer.h"
#include "settings/ProgramPaths.h"
#include "signal/Signal.h"
#include "soundcard/AQForm.h"
#include "soundcard/AcquisitionSettings.h"
#include "soundcard/marluneSB.h"
#include "support/NumpyReference.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

namespace {
// A tone written by sox and played to the default sink by the server's own player, so neither the
// sound nor its level comes from the code under test.
class PlayedTone {
public:
    static constexpr double Amplitude = 0.5;
    static constexpr int Frequency = 1000;

    explicit PlayedTone(int seconds)
    {
        const QStringList arguments{"-n", "-r", QString::number(Rate), "-c", "1", "-b", "16", file(), "synth",
                                    QString::number(seconds), "sine", QString::number(Frequency), "vol",
                                    QString::number(Amplitude)};
        made_ = QProcess::execute("timeout", QStringList{"10", "sox"} + arguments) == 0;
    }
    ~PlayedTone()
    {
        if (player_.state() != QProcess::NotRunning) {
            player_.kill();
            player_.waitForFinished(5000);
        }
    }

    bool made() const { return made_; }
    QString file() const { return QString::fromStdString((folder_.path / "tone.wav").string()); }
    void play() { player_.start("timeout", {"20", "paplay", file()}); }
    // The RMS of the file's samples, full scale 1, as sox measures it; 0 when it cannot.
    double rms() const
    {
        QProcess stat;
        stat.setProcessChannelMode(QProcess::MergedChannels);
        stat.start("timeout", {"10", "sox", file(), "-n", "stat"});
        if (!stat.waitForFinished(15000))
            return 0;
        const std::string output = stat.readAll().toStdString();
        const std::size_t at = output.find("RMS     amplitude:");
        double value = 0;
        if (at == std::string::npos || std::sscanf(output.c_str() + at, "RMS amplitude: %lf", &value) != 1)
            return 0;
        return value;
    }

private:
    TempFolder folder_;
    QProcess player_;
    bool made_ = false;
};

// The samples an acquisition window stored, from the start of its buffer to the end of its last window.
std::vector<float> stored(const marluneSB& window)
{
    const Signal& signal = *window.signal();
    return {signal.samples(), signal.samples() + signal.lastVisible() + 1};
}

std::string messagesOf(const ScriptedUi& ui)
{
    std::string all;
    for (const ScriptedUi::Message& message : ui.messages)
        all += "\"" + message.text + "\" ";
    return all;
}

// A case that records the default input with an acquisition window: one channel at 44100 Hz in
// windows of a tenth of a second.
class RecordingCase : public AudioLoopback {
protected:
    // The window, recording for `seconds`; null, with the failure told, when it did not start.
    marluneSB* startRecording(int32_t seconds)
    {
        AcquisitionSettings settings;
        settings.sampleRate = Rate;
        settings.windowLength = BufferFrames;
        settings.recordingLength = seconds;
        marluneSB* window = marluneSB::create(client, devices, settings);
        if (!window) {
            ADD_FAILURE() << "no acquisition window";
            return nullptr;
        }
        client.setActiveChild(window);
        client.dispatch(Cmd::Start);
        if (window->stopped()) {
            ADD_FAILURE() << "START refused: " << messagesOf(ui);
            return nullptr;
        }
        return window;
    }

    ScriptedUi ui;
    marluneMDIClient client{ui, "/nonexistent/"};
};

// The sound server goes away mid-recording: the window says so, stops, keeps what it recorded, and a
// later START is answered at once.
class KillingTheServerEndsTheRecordingAndKeepsIt : public RecordingCase {
    void TestBody() override
    {
        PlayedTone tone(20);
        ASSERT_TRUE(tone.made());
        marluneSB* acquisition = startRecording(60);
        ASSERT_NE(acquisition, nullptr);
        tone.play();
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(runUntil(clock, [&] { return acquisition->bufferCount() >= 20; })) << "the input never delivered";
        const std::vector<float> before = stored(*acquisition);

        ASSERT_TRUE(commandOutput("timeout 10 pulseaudio --kill"));
        ASSERT_TRUE(runUntil(clock, [&] { return acquisition->stopped(); })) << "the recording went on without a server";
        ASSERT_EQ(ui.messages.size(), 1u) << messagesOf(ui);
        EXPECT_EQ(ui.messages[0].text, marluneSB::OpenFailed);
        EXPECT_EQ(ui.messages[0].caption, "Error");
        EXPECT_TRUE(client.dispatchState(Cmd::Start)->enabled);
        EXPECT_FALSE(client.dispatchState(Cmd::Stop).value_or(CommandState{false}).enabled);
        const std::vector<float> after = stored(*acquisition);
        ASSERT_GE(after.size(), before.size());
        EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin())) << "the windows stored before stay";
        // The tone at half of full scale has an RMS of about 11600.
        EXPECT_GT(loudestBlock(after, 4096).rms, 3000) << "what was kept is the recording, not silence";

        client.dispatch(Cmd::Start);
        clock.restart();
        EXPECT_TRUE(runUntil(clock, [&] { return acquisition->stopped(); })) << "START without a server went on";
        ASSERT_EQ(ui.messages.size(), 2u) << messagesOf(ui);
        EXPECT_TRUE(ui.messages[1].text == marluneSB::OpenFailed || ui.messages[1].text == marluneSB::NoDevice)
            << ui.messages[1].text;
    }
};

// The default and only source is the sink's monitor: it is listed, every standard rate passes and a
// numbered open records too.
class TheMonitorIsListedAndEveryStandardRatePasses : public AudioLoopback {
    void TestBody() override
    {
        ASSERT_EQ(defaultSource(), MonitorSource);
        const std::optional<std::string> described =
            commandOutput("timeout 5 pactl list sources | sed -n 's/^[[:space:]]*Description: //p'");
        ASSERT_TRUE(described);
        std::string description = *described;
        while (!description.empty() && description.back() == '\n')
            description.pop_back();
        EXPECT_EQ(devices.names(SoundDirection::Input), std::vector<std::string>{description});

        ScriptedUi ui;
        AcquisitionSettings record;
        AQForm form(ui, devices, ProgramPaths("/nonexistent"), record);
        EXPECT_EQ(form.sourceEntries, (std::vector<std::string>{AQForm::DefaultSource, description}));
        std::vector<std::string> standard;
        for (int32_t rate : AcquisitionSettings::StandardRates)
            standard.push_back(std::to_string(rate));
        EXPECT_EQ(form.rateEntries, standard) << "the default source, one channel";
        form.channels = 1;
        form.fillRates();
        EXPECT_EQ(form.rateEntries, standard) << "the default source, two channels";
        form.source = 1;
        form.fillRates();
        EXPECT_EQ(form.rateEntries, standard) << "the monitor by its number";
        form.rate = int(std::find(standard.begin(), standard.end(), "48000") - standard.begin());
        EXPECT_TRUE(form.accept()) << messagesOf(ui);
        EXPECT_EQ(record.device, 0);
        EXPECT_EQ(record.channels, 2);
        EXPECT_EQ(record.sampleRate, 48000);

        std::unique_ptr<SoundStream> input = devices.open(SoundDirection::Input, 0, {2, 48000});
        ASSERT_NE(input, nullptr);
        int buffers = 0;
        input->setDoneHandler([&](std::unique_ptr<SoundBuffer> buffer) {
            EXPECT_FALSE(buffer->aborted);
            EXPECT_EQ(buffer->done, buffer->samples.size());
            ++buffers;
        });
        input->queue(std::make_unique<SoundBuffer>(2 * 4800, 1));
        input->queue(std::make_unique<SoundBuffer>(2 * 4800, 2));
        input->start();
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(runUntil(clock, [&] { return buffers == 2; })) << "the monitor delivered " << buffers << " of 2";
    }
};

// What the computer plays is recorded from the sink's monitor, at the played frequency and level.
class AToneToTheSinkIsRecordedFromItsMonitor : public RecordingCase {
    void TestBody() override
    {
        ASSERT_EQ(defaultSource(), MonitorSource);
        PlayedTone tone(3);
        ASSERT_TRUE(tone.made());
        // Five seconds in 51 windows: the recording stops by itself.
        marluneSB* acquisition = startRecording(5);
        ASSERT_NE(acquisition, nullptr);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(runUntil(clock, [&] { return acquisition->bufferCount() >= 2; })) << "the monitor never delivered";
        tone.play();
        ASSERT_TRUE(runUntil(clock, [&] { return acquisition->stopped(); })) << acquisition->bufferCount() << " windows";
        EXPECT_TRUE(ui.messages.empty()) << messagesOf(ui);
        EXPECT_EQ(acquisition->bufferCount(), 51u);
        EXPECT_EQ(acquisition->lostBuffers(), 0u) << acquisition->caption();

        // The loudest whole second, its RMS at full scale 1 and the frequency of its spectrum's peak.
        const std::vector<double> measured = numpyValues(R"(
x = x / 32768.0
n = 44100
start = max(range(0, len(x) - n + 1, 4410), key=lambda s: np.mean(x[s:s + n] ** 2))
b = x[start:start + n]
peak = np.argmax(np.abs(np.fft.rfft(b * np.hanning(n))))
out([np.sqrt(np.mean(b ** 2)), peak * 44100.0 / n])
)", stored(*acquisition));
        ASSERT_EQ(measured.size(), 2u);
        const double reference = tone.rms();
        ASSERT_GT(reference, 0.3) << "sox measured the file";
        EXPECT_NEAR(measured[0], reference, reference * 0.01) << "the level of the played file";
        EXPECT_NEAR(measured[1], PlayedTone::Frequency, 1.0);
    }
};

template <class Case>
void registerCase(const char* name, int line)
{
    ::testing::RegisterTest("OwnServer", name, nullptr, nullptr, __FILE__, line, []() -> ::testing::Test* { return new Case; });
}

// Runs cases beside a server of their own and shows what they printed when they failed.
void expectPassed(OwnServer::Mode mode, const std::string& filter, int cases)
{
    const OwnServer::Result result = OwnServer::run(mode, filter);
    EXPECT_TRUE(result.passed(cases)) << "exit code " << result.exitCode << ":\n" << result.output;
}
}  // namespace

void registerOwnServerCases()
{
    registerCase<TheMonitorIsListedAndEveryStandardRatePasses>("TheMonitorIsListedAndEveryStandardRatePasses", __LINE__);
    registerCase<AToneToTheSinkIsRecordedFromItsMonitor>("AToneToTheSinkIsRecordedFromItsMonitor", __LINE__);
    // Last: it leaves no server for the cases after it.
    registerCase<KillingTheServerEndsTheRecordingAndKeepsIt>("KillingTheServerEndsTheRecordingAndKeepsIt", __LINE__);
}

// Qt Multimedia records the remapped source.
TEST_F(AudioLoopback, ARecordingWhoseServerIsKilledEndsWithTheDeviceMessage)
{
    expectPassed(OwnServer::Mode::RemappedSource, "OwnServer.KillingTheServer*", 1);
}

// PulseAudio's own client records the monitor, which Qt does not list.
TEST_F(AudioLoopback, AMonitorAsTheOnlySourceIsListedAndRecorded)
{
    expectPassed(OwnServer::Mode::MonitorSource, "OwnServer.TheMonitor*:OwnServer.AToneToTheSink*", 2);
}

TEST_F(AudioLoopback, AMonitorRecordingWhoseServerIsKilledEndsWithTheDeviceMessage)
{
    expectPassed(OwnServer::Mode::MonitorSource, "OwnServer.KillingTheServer*", 1);
}
