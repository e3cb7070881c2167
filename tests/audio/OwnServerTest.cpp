#include <QProcess>
#include <algorithm>

#include "LoopbackFixture.h"
#include "OwnServer.h"
#include "signal/Signal.h"
#include "soundcard/AcquisitionSettings.h"
#include "soundcard/marluneSB.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

namespace {
// A tone written by sox and played to the default sink by the server's own player.
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

AcquisitionSettings mono(int32_t seconds)
{
    AcquisitionSettings settings;
    settings.sampleRate = Rate;
    settings.windowLength = BufferFrames;
    settings.recordingLength = seconds;
    return settings;
}

// The sound server goes away mid-recording: the window says so, stops, keeps what it recorded, and a
// later START is answered at once.
class KillingTheServerEndsTheRecordingAndKeepsIt : public AudioLoopback {
    void TestBody() override
    {
        PlayedTone tone(20);
        ASSERT_TRUE(tone.made());
        ScriptedUi ui;
        marluneMDIClient client(ui, "/nonexistent/");
        marluneSB* acquisition = marluneSB::create(client, devices, mono(60));
        ASSERT_NE(acquisition, nullptr);
        client.setActiveChild(acquisition);
        client.dispatch(Cmd::Start);
        ASSERT_FALSE(acquisition->stopped()) << messagesOf(ui);
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

template <class Case>
void registerCase(const char* name, int line)
{
    ::testing::RegisterTest("OwnServer", name, nullptr, nullptr, __FILE__, line, []() -> AudioLoopback* { return new Case; });
}

// Runs cases beside a server of their own and shows what they printed when they failed.
void expectPassed(const std::string& filter, int cases)
{
    const OwnServer::Result result = OwnServer::run(filter);
    EXPECT_TRUE(result.passed(cases)) << "exit code " << result.exitCode << ":\n" << result.output;
}
}  // namespace

void registerOwnServerCases()
{
    registerCase<KillingTheServerEndsTheRecordingAndKeepsIt>("KillingTheServerEndsTheRecordingAndKeepsIt", __LINE__);
}

TEST_F(AudioLoopback, ARecordingWhoseServerIsKilledEndsWithTheDeviceMessage)
{
    expectPassed("OwnServer.KillingTheServer*", 1);
}
