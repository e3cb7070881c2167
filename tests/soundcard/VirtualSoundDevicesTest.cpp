#include <gtest/gtest.h>

#include <numeric>

#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/VirtualSoundStream.h"

namespace {
// An owner that keeps what comes back, in order.
struct Returned {
    std::vector<std::unique_ptr<SoundBuffer>> buffers;

    SoundStream::DoneHandler handler()
    {
        return [this](std::unique_ptr<SoundBuffer> buffer) { buffers.push_back(std::move(buffer)); };
    }
    std::vector<long> tags() const
    {
        std::vector<long> tags;
        for (const auto& buffer : buffers)
            tags.push_back(buffer->user);
        return tags;
    }
};

std::vector<int16_t> ramp(int16_t first, std::size_t count)
{
    std::vector<int16_t> samples(count);
    std::iota(samples.begin(), samples.end(), first);
    return samples;
}

std::unique_ptr<SoundBuffer> holding(std::vector<int16_t> samples, long tag)
{
    auto buffer = std::make_unique<SoundBuffer>(0, tag);
    buffer->samples = std::move(samples);
    return buffer;
}

VirtualSoundStream& virtualOf(const std::unique_ptr<SoundStream>& stream)
{
    return static_cast<VirtualSoundStream&>(*stream);
}

// A mono 8 kHz input recording 1, 2, 3 ... into `buffers` buffers of five samples (tags 1 ...), started
// and one delay on, its buffers going to `returned`.
std::unique_ptr<SoundStream> recordingInput(VirtualSoundDevices& devices, Returned& returned, long buffers)
{
    devices.inputSamples = ramp(1, 100);
    auto stream = devices.open(SoundDirection::Input, SoundDevices::DefaultDevice, {1, 8000});
    stream->setDoneHandler(returned.handler());
    for (long tag = 1; tag <= buffers; ++tag)
        stream->queue(std::make_unique<SoundBuffer>(5, tag));
    stream->start();
    EXPECT_TRUE(virtualOf(stream).delay());
    return stream;
}
}  // namespace

TEST(VirtualSoundDevices, InputBuffersTakeThePreparedSamplesInOrder)
{
    VirtualSoundDevices devices;
    devices.inputSamples = ramp(1, 10);
    auto stream = devices.open(SoundDirection::Input, SoundDevices::DefaultDevice, {2, 8000});
    ASSERT_NE(stream, nullptr);
    Returned returned;
    stream->setDoneHandler(returned.handler());
    for (long tag = 1; tag <= 3; ++tag)
        stream->queue(std::make_unique<SoundBuffer>(4, tag));
    EXPECT_FALSE(virtualOf(stream).deliver()) << "nothing is recorded before start";

    stream->start();
    ASSERT_TRUE(virtualOf(stream).deliver());
    ASSERT_TRUE(virtualOf(stream).deliver());
    ASSERT_TRUE(virtualOf(stream).deliver());
    EXPECT_FALSE(virtualOf(stream).deliver()) << "the queue is empty";
    ASSERT_EQ(returned.tags(), (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(returned.buffers[0]->samples, ramp(1, 4));
    EXPECT_EQ(returned.buffers[1]->samples, ramp(5, 4));
    EXPECT_EQ(returned.buffers[2]->samples, (std::vector<int16_t>{9, 10, 0, 0})) << "silence after the end";
    for (const auto& buffer : returned.buffers) {
        EXPECT_EQ(buffer->done, 4u);
        EXPECT_FALSE(buffer->aborted);
    }
    EXPECT_EQ(devices.openings.size(), 1u);
    EXPECT_EQ(devices.openings[0].format, (PcmFormat{2, 8000}));
}

TEST(VirtualSoundDevices, DroppedInputLosesOneBufferOfSamplesAndDelayedNotificationsKeepTheirOrder)
{
    VirtualSoundDevices devices;
    devices.inputSamples = ramp(0, 12);
    auto stream = devices.open(SoundDirection::Input, 0, {1, 8000});
    Returned returned;
    stream->setDoneHandler([&](std::unique_ptr<SoundBuffer> buffer) {
        returned.buffers.push_back(std::move(buffer));
        // The owner queues every buffer again, as the acquisition does.
        stream->queue(std::make_unique<SoundBuffer>(3, returned.buffers.back()->user + 10));
    });
    stream->queue(std::make_unique<SoundBuffer>(3, 1));
    stream->queue(std::make_unique<SoundBuffer>(3, 2));
    stream->start();

    ASSERT_TRUE(virtualOf(stream).delay());
    ASSERT_TRUE(virtualOf(stream).drop());
    EXPECT_TRUE(returned.buffers.empty()) << "a delayed notification waits";
    EXPECT_EQ(devices.pending(), 1u);
    ASSERT_TRUE(virtualOf(stream).deliver());
    ASSERT_EQ(returned.tags(), (std::vector<long>{1, 2}));
    EXPECT_EQ(returned.buffers[0]->samples, ramp(0, 3));
    EXPECT_EQ(returned.buffers[1]->samples, ramp(6, 3)) << "samples 3 to 5 were lost";
    devices.pump(2);
    EXPECT_EQ(returned.tags(), (std::vector<long>{1, 2, 11, 12}));
    EXPECT_EQ(returned.buffers[3]->samples, (std::vector<int16_t>{0, 0, 0}));
}

TEST(VirtualSoundDevices, OutputRecordsWhatWasPlayedAndADroppedBufferAsSilence)
{
    VirtualSoundDevices devices;
    auto stream = devices.open(SoundDirection::Output, SoundDevices::DefaultDevice, {1, 22050});
    Returned returned;
    stream->setDoneHandler(returned.handler());
    stream->queue(holding({1, 2}, 0));
    stream->queue(holding({3, 4}, 1));
    stream->queue(holding({5, 6}, 2));
    stream->start();
    devices.pump();
    ASSERT_TRUE(virtualOf(stream).drop());
    devices.pump();
    EXPECT_EQ(devices.played, (std::vector<int16_t>{1, 2, 0, 0, 5, 6}));
    EXPECT_EQ(returned.tags(), (std::vector<long>{0, 1, 2}));
    EXPECT_EQ(returned.buffers[1]->samples, (std::vector<int16_t>{3, 4})) << "the owner's samples are left alone";
}

TEST(VirtualSoundDevices, ResetGivesBackEveryQueuedBufferAbortedAndCloseDropsTheRest)
{
    VirtualSoundDevices devices;
    Returned returned;
    auto stream = recordingInput(devices, returned, 4);
    stream->reset();
    EXPECT_TRUE(returned.buffers.empty()) << "notifications come later, never inside reset";
    devices.dispatch();
    ASSERT_EQ(returned.tags(), (std::vector<long>{1, 2, 3, 4}));
    EXPECT_FALSE(returned.buffers[0]->aborted);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_TRUE(returned.buffers[i]->aborted);
        EXPECT_EQ(returned.buffers[i]->done, 0u);
    }
    EXPECT_FALSE(virtualOf(stream).started());

    // Started again, then closed with a notification still posted: the owner hears nothing more.
    stream->queue(std::move(returned.buffers[0]));
    stream->start();
    ASSERT_TRUE(virtualOf(stream).delay());
    stream->close();
    devices.dispatch();
    EXPECT_EQ(returned.buffers.size(), 4u);
    EXPECT_EQ(devices.newest(SoundDirection::Input), nullptr);
    stream->queue(std::make_unique<SoundBuffer>(5, 9));
    EXPECT_EQ(virtualOf(stream).queued(), 0u) << "a closed stream takes no buffers";
}

TEST(VirtualSoundDevices, AFailedDeviceGivesBackWhatItFinishedThenEveryBufferFailed)
{
    VirtualSoundDevices devices;
    Returned returned;
    auto stream = recordingInput(devices, returned, 3);
    VirtualSoundStream& device = virtualOf(stream);
    device.fail();
    EXPECT_TRUE(returned.buffers.empty()) << "the failure is told later, like every notification";
    devices.dispatch();
    ASSERT_EQ(returned.tags(), (std::vector<long>{1, 2, 3}));
    EXPECT_FALSE(returned.buffers[0]->failed);
    EXPECT_EQ(returned.buffers[0]->samples, ramp(1, 5)) << "what was finished before comes first, whole";
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_TRUE(returned.buffers[i]->failed);
        EXPECT_TRUE(returned.buffers[i]->aborted);
        EXPECT_EQ(returned.buffers[i]->done, 0u);
    }

    // Whatever is queued or started later comes back failed and nothing is recorded any more.
    stream->queue(std::move(returned.buffers[0]));
    stream->start();
    EXPECT_FALSE(device.started());
    EXPECT_FALSE(device.deliver());
    devices.dispatch();
    ASSERT_EQ(returned.buffers.size(), 4u);
    EXPECT_TRUE(returned.buffers[3]->failed);
    EXPECT_EQ(devices.inputPosition, 5u);
}

TEST(VirtualSoundDevices, AHandlerMayCloseItsStream)
{
    VirtualSoundDevices devices;
    std::unique_ptr<SoundStream> stream = devices.open(SoundDirection::Input, SoundDevices::DefaultDevice, {1, 8000});
    int calls = 0;
    stream->setDoneHandler([&](std::unique_ptr<SoundBuffer>) {
        ++calls;
        stream.reset();
    });
    stream->queue(std::make_unique<SoundBuffer>(2, 1));
    stream->queue(std::make_unique<SoundBuffer>(2, 2));
    stream->start();
    VirtualSoundStream* device = &virtualOf(stream);
    device->delay();
    device->delay();
    devices.dispatch();
    EXPECT_EQ(calls, 1) << "the second notification went with the stream";
    EXPECT_EQ(stream, nullptr);
    EXPECT_TRUE(devices.streams().empty());
}

TEST(VirtualSoundDevices, FormatsAreCheckedPerDeviceAndDirection)
{
    VirtualSoundDevices devices({"Line in", "Microphone"}, {"Speakers"});
    devices.acceptOnly(SoundDirection::Input, 1, {{2, 44100}, {2, 48000}});
    EXPECT_TRUE(devices.supports(SoundDirection::Input, 1, {2, 48000}));
    EXPECT_FALSE(devices.supports(SoundDirection::Input, 1, {1, 48000}));
    EXPECT_FALSE(devices.supports(SoundDirection::Input, 1, {2, 22050}));
    EXPECT_EQ(devices.open(SoundDirection::Input, 1, {2, 22050}), nullptr);
    EXPECT_TRUE(devices.supports(SoundDirection::Input, SoundDevices::DefaultDevice, {1, 22050}));
    EXPECT_TRUE(devices.supports(SoundDirection::Input, 0, {2, 22050}));
    EXPECT_FALSE(devices.supports(SoundDirection::Input, 2, {1, 22050})) << "no third input";
    EXPECT_FALSE(devices.supports(SoundDirection::Output, 1, {1, 22050})) << "one output only";
    EXPECT_FALSE(devices.supports(SoundDirection::Input, 0, {3, 22050}));
    EXPECT_FALSE(devices.supports(SoundDirection::Input, 0, {1, 0}));
    devices.acceptOnly(SoundDirection::Output, SoundDevices::DefaultDevice, {});
    EXPECT_EQ(devices.open(SoundDirection::Output, SoundDevices::DefaultDevice, {1, 8000}), nullptr)
        << "a busy device refuses everything";

    VirtualSoundDevices none({}, {});
    EXPECT_FALSE(none.supports(SoundDirection::Input, SoundDevices::DefaultDevice, {1, 8000}))
        << "without devices even the default one is missing";
    EXPECT_TRUE(none.names(SoundDirection::Input).empty());
}
