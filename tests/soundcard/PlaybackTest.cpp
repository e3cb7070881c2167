#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "soundcard/Playback.h"
#include "soundcard/SignalPlayer.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/VirtualSoundStream.h"
#include "support/ScriptedUi.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// Values that play as themselves on the range [−15000, 15000].
std::vector<float> ramp(std::size_t count)
{
    std::vector<float> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = float(i % 30000) - 15000;
    return values;
}
}  // namespace

class PlaybackTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    VirtualSoundDevices devices;
    marluneMDIClient client{ui, "/nonexistent/"};
    Playback playback{client, devices};

    // A file window at 8000 Hz showing samples first ... last.
    marluneMDIChild* window(const std::vector<float>& samples, uint32_t first, uint32_t last)
    {
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(),
                                               uint32_t(samples.size()), 8000.5L);
        if (first != 0 || last + 1 != samples.size()) {
            EXPECT_TRUE(signal->zoomIn(first, last));
        }
        signal->setYRange(15000, -15000);
        auto made = std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, std::move(signal));
        auto* w = static_cast<marluneMDIChild*>(client.addWindow(std::move(made)));
        client.setActiveChild(w);
        return w;
    }

    bool enabled(int id) { return client.dispatchState(id).value_or(CommandState{false}).enabled; }
};

TEST(SignalPlayerConversion, MapsTheYRangeOntoThirtyThousandStepsCentredOnZero)
{
    EXPECT_EQ(SignalPlayer::convert(0, -1, 1), 0);
    EXPECT_EQ(SignalPlayer::convert(1, -1, 1), 15000);
    EXPECT_EQ(SignalPlayer::convert(-1, -1, 1), -15000);
    EXPECT_EQ(SignalPlayer::convert(0.33333f, -1, 1), 4999) << "truncated, not rounded";
    EXPECT_EQ(SignalPlayer::convert(2.5f, 2, 3), 0) << "the middle of any range plays as zero";
    EXPECT_EQ(SignalPlayer::convert(3, 3, 3), 0) << "a constant signal plays the middle value";
    EXPECT_EQ(SignalPlayer::convert(std::numeric_limits<float>::quiet_NaN(), -1, 1), 0);
    // The gain is 30000 over the Y range whatever the unit: scaling the signal and its range plays the same.
    for (const float scale : {0.0078125f, 1.0f, 1048576.0f})
        EXPECT_EQ(SignalPlayer::convert(0.5f * scale, -scale, scale), 7500) << scale;
    EXPECT_EQ(SignalPlayer::convert(1e30f, -1, 1), 32767) << "far outside the range: the nearest 16-bit value";
}

TEST_F(PlaybackTest, AShortSignalQueuesItsLastSamplesAsAShorterBlockAtTheTruncatedRate)
{
    marluneMDIChild* w = window(ramp(1050), 0, 99);
    client.dispatch(Cmd::PlayWithSound);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Output);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->queued(), 11u) << "the last 50 samples are a block of their own";
    EXPECT_EQ(stream->format(), (PcmFormat{1, 8000}));
    EXPECT_FALSE(enabled(Cmd::PlayWithSound));
    EXPECT_FALSE(enabled(Cmd::PlayNoSound));
    EXPECT_TRUE(enabled(Cmd::Stop));
    EXPECT_EQ(playback.player(*w)->queued(), 11);
}

TEST_F(PlaybackTest, SixtyFourVisibleSamplesAreTheLeastThatPlays)
{
    const std::vector<float> samples = ramp(1000);
    window(samples, 0, 62);
    EXPECT_FALSE(enabled(Cmd::PlayWithSound));
    EXPECT_TRUE(enabled(Cmd::PlayNoSound));
    window(samples, 0, 63);
    EXPECT_TRUE(enabled(Cmd::PlayWithSound));
    EXPECT_FALSE(enabled(Cmd::Stop));
}

TEST_F(PlaybackTest, EveryBlockIsPlayedInOrderWhileTheViewFollowsBlockByBlock)
{
    const std::vector<float> samples = ramp(4000);
    marluneMDIChild* w = window(samples, 0, 99);  // 40 blocks, 16 ahead
    client.dispatch(Cmd::PlayWithSound);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Output);
    ASSERT_TRUE(stream->deliver());
    EXPECT_EQ(w->signal()->firstVisible(), 100u);
    EXPECT_EQ(stream->queued(), 16u) << "the finished block was refilled";
    while (devices.newest(SoundDirection::Output))
        devices.pump();
    ASSERT_EQ(devices.played.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(devices.played[i], int16_t(samples[i])) << "sample " << i;
    EXPECT_EQ(w->signal()->firstVisible(), 3900u) << "the view ends on the last block";
    EXPECT_TRUE(enabled(Cmd::PlayWithSound));
}

TEST_F(PlaybackTest, StoppingLeavesTheViewAndIgnoresBlocksThatComeBackLater)
{
    marluneMDIChild* w = window(ramp(4000), 0, 99);
    client.dispatch(Cmd::PlayWithSound);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Output);
    devices.pump(3);
    ASSERT_TRUE(stream->delay());
    client.dispatch(Cmd::Stop);
    devices.dispatch();
    EXPECT_EQ(w->signal()->firstVisible(), 300u);
    EXPECT_EQ(devices.newest(SoundDirection::Output), nullptr);
    EXPECT_TRUE(enabled(Cmd::PlayWithSound));

    client.dispatch(Cmd::PlayWithSound);
    client.closeWindow(w);
    EXPECT_EQ(devices.newest(SoundDirection::Output), nullptr) << "closing a playing window stops it";
}

TEST_F(PlaybackTest, AnOutputThatFailsWhilePlayingStopsWithOneMessageWhereTheViewGot)
{
    marluneMDIChild* w = window(ramp(4000), 0, 99);
    client.dispatch(Cmd::PlayWithSound);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Output);
    devices.pump(2);
    stream->fail();
    devices.dispatch();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Could not play this sound on your sound card.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(w->signal()->firstVisible(), 200u);
    EXPECT_EQ(devices.newest(SoundDirection::Output), nullptr);
    EXPECT_TRUE(playback.player(*w)->stopped());
    EXPECT_TRUE(enabled(Cmd::PlayWithSound));
}

TEST_F(PlaybackTest, MissingOrRefusingDevicesAreReportedAndPlaybackStops)
{
    VirtualSoundDevices none({}, {});
    Playback silent(client, none);
    client.removeSignalWindowCommands(playback);
    marluneMDIChild* w = window(ramp(1000), 0, 99);
    client.dispatch(Cmd::PlayWithSound);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Could not find the sound card in your system.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_TRUE(silent.player(*w)->stopped());
    client.removeSignalWindowCommands(silent);
    client.addSignalWindowCommands(playback);

    devices.acceptOnly(SoundDirection::Output, -1, {{1, 44100}});
    client.dispatch(Cmd::PlayWithSound);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Could not play this sound on your sound card.");
    EXPECT_EQ(ui.messages[1].caption, "Error");
    EXPECT_TRUE(enabled(Cmd::PlayWithSound));
}

TEST_F(PlaybackTest, AConstantSignalAndNaNSamplesPlayTheMiddleValue)
{
    std::vector<float> samples(128, 2);
    samples[5] = std::numeric_limits<float>::quiet_NaN();
    marluneMDIChild* w = window(samples, 0, 127);
    w->signal()->setYRange(2, 2);
    client.dispatch(Cmd::PlayWithSound);
    devices.pump();
    EXPECT_EQ(devices.played, std::vector<int16_t>(128, 0));
}

TEST_F(PlaybackTest, SilentPlayingStepsTheViewOnEachLaterCallUntilTheEnd)
{
    marluneMDIChild* w = window(ramp(200), 0, 99);
    w->setStep(40);
    client.dispatch(Cmd::PlayNoSound);
    EXPECT_TRUE(enabled(Cmd::Stop));
    EXPECT_FALSE(enabled(Cmd::PlayNoSound));
    EXPECT_TRUE(devices.openings.empty()) << "no device is opened";
    ASSERT_EQ(ui.runLater(), 1u);
    EXPECT_EQ(w->signal()->firstVisible(), 40u);
    ASSERT_EQ(ui.runLater(), 1u);
    EXPECT_EQ(w->signal()->firstVisible(), 80u);
    EXPECT_EQ(ui.laterDelays.back(), 10);
    ASSERT_EQ(ui.runLater(), 1u);
    EXPECT_EQ(w->signal()->firstVisible(), 80u) << "another step would leave the signal";
    EXPECT_TRUE(ui.later.empty());
    EXPECT_TRUE(enabled(Cmd::PlayWithSound));

    ASSERT_TRUE(w->signal()->scrollLeft(80));
    client.dispatch(Cmd::PlayNoSound);
    client.dispatch(Cmd::Stop);
    ui.runLater();
    EXPECT_EQ(w->signal()->firstVisible(), 0u) << "a step asked for before the stop does nothing";
    client.dispatch(Cmd::PlayNoSound);
    client.closeWindow(w);
    ui.runLater();
}
