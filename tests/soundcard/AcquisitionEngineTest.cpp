#include <cmath>
#include <numeric>

#include "AcquisitionFixture.h"
#include "instruments/InstrumentKinds.h"
#include "instruments/marlune1DChild.h"
#include "soundcard/AQForm.h"
#include "soundcard/AcquisitionCommands.h"
#include "soundcard/CalibrationData.h"
#include "soundcard/marluneSter.h"
#include "support/AddressSpaceLimit.h"
#include "support/TempFolder.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marluneMDIChild.h"

namespace {
std::vector<int16_t> ramp(std::size_t count, int start)
{
    std::vector<int16_t> values(count);
    std::iota(values.begin(), values.end(), int16_t(start));
    return values;
}

std::vector<float> asFloats(const std::vector<int16_t>& values, std::size_t from, std::size_t count)
{
    return {values.begin() + std::ptrdiff_t(from), values.begin() + std::ptrdiff_t(from + count)};
}
}  // namespace

TEST_F(AcquisitionTest, MonitoringReplacesOnePageWithEveryWindowAndNeverStops)
{
    marluneSB* window = started(settings(22050, 2048, 0));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->caption(), " 1# Sound card monitor - 1");
    EXPECT_EQ(window->kind(), 8);
    EXPECT_TRUE(window->fixedMinMax());
    EXPECT_EQ(window->xLabel(), "sec");
    const Signal& signal = *window->signal();
    EXPECT_EQ(signal.count(), 2048u);
    EXPECT_EQ(signal.sampleRate(), 22050);
    ASSERT_EQ(devices.openings.size(), 1u);
    EXPECT_EQ(devices.openings[0].format, (PcmFormat{1, 22050}));
    EXPECT_EQ(devices.openings[0].device, -1);
    EXPECT_EQ(devices.newest(SoundDirection::Input)->queued(), 11u) << "a second of sound is kept queued";

    const std::vector<int16_t> input = ramp(30 * 2048, -30000);
    append(input);
    for (int w = 0; w < 30; ++w) {
        devices.pump();
        ASSERT_EQ(visible(*window), asFloats(input, std::size_t(w) * 2048, 2048)) << "window " << w;
    }
    EXPECT_FALSE(window->stopped());
    EXPECT_EQ(window->bufferCount(), 30u);
    EXPECT_EQ(signal.yMax(), 32768) << "the full-scale range stays whatever the samples do";
    EXPECT_EQ(signal.yMin(), -32768);
}

TEST_F(AcquisitionTest, ARecordingOfTenSecondsFillsElevenPagesAndStopsByItself)
{
    marluneSB* window = started(settings(1000, 1000, 10));
    EXPECT_EQ(window->signal()->count(), 11000u);
    const std::vector<int16_t> input = ramp(12000, -6000);
    append(input);
    devices.pump(10);
    EXPECT_FALSE(window->stopped());
    EXPECT_EQ(window->signal()->firstVisible(), 9000u);
    devices.pump();
    EXPECT_TRUE(window->stopped());
    EXPECT_TRUE(devices.streams().empty()) << "the device is closed";
    devices.pump(3);
    EXPECT_EQ(window->bufferCount(), 11u);
    EXPECT_EQ(client.dispatchState(Cmd::Start)->enabled, true);

    ASSERT_TRUE(window->signal()->zoomBack());
    EXPECT_EQ(visible(*window), asFloats(input, 0, 11000)) << "zooming out shows the whole recording";
}

TEST_F(AcquisitionTest, DecimationAveragesBlocksOfSamplesRoundingHalvesUp)
{
    marluneSB* window = started(settings(1000, 10, 0, 10));
    EXPECT_EQ(window->signal()->sampleRate(), 100);
    EXPECT_EQ(devices.openings[0].format.sampleRate, 1000);
    append(std::vector<int16_t>(100, 100));
    devices.pump();
    EXPECT_EQ(visible(*window), std::vector<float>(10, 100));

    // Means of 1 ... 10 and −10 ... −1: 5.5 rounds to 6, −5.5 to −5.
    std::vector<int16_t> block;
    for (int k = 0; k < 5; ++k) {
        const auto up = ramp(10, 1);
        const auto down = ramp(10, -10);
        block.insert(block.end(), up.begin(), up.end());
        block.insert(block.end(), down.begin(), down.end());
    }
    append(block);
    devices.pump();
    EXPECT_EQ(visible(*window), (std::vector<float>{6, -5, 6, -5, 6, -5, 6, -5, 6, -5}));
}

TEST_F(AcquisitionTest, TheTriggerStartsTheWindowAtTheCrossingPlusTheSkip)
{
    AcquisitionSettings s = settings(1000, 100, 0);
    s.triggerOn = true;
    s.threshold = 50;
    s.skip = 5;
    marluneSB* window = started(s);
    UpdateCounter counter;
    window->subscribe(counter);

    append(std::vector<int16_t>(100, 16384));  // at the level, not above it
    devices.pump();
    EXPECT_EQ(counter.updates, 0);
    EXPECT_EQ(visible(*window), std::vector<float>(100, 0));

    std::vector<int16_t> input = ramp(400, 0);
    input[30] = -16385;
    append(input);
    devices.pump();
    EXPECT_EQ(counter.updates, 0) << "65 frames are not a window yet";
    devices.pump();
    EXPECT_EQ(counter.updates, 1);
    EXPECT_EQ(visible(*window), asFloats(input, 35, 100));
    devices.pump();
    EXPECT_EQ(counter.updates, 2);
    EXPECT_EQ(visible(*window), asFloats(input, 135, 100)) << "later windows continue without a gap";
    window->unsubscribe(counter);
}

TEST_F(AcquisitionTest, ReArmingRecordsOneWindowPerCrossingEachBeginningAtIt)
{
    AcquisitionSettings s = settings(1000, 100, 10);
    s.triggerOn = true;
    s.reArm = true;
    marluneSB* window = started(s);
    EXPECT_EQ(window->signal()->count(), 100u) << "re-arming records into one page";
    UpdateCounter counter;
    window->subscribe(counter);

    // Three seconds with one crossing per second, at different places of their buffers.
    std::vector<int16_t> input(3000, 10);
    for (int second = 0; second < 3; ++second)
        input[std::size_t(second) * 1000 + 250 + 37 * std::size_t(second)] = int16_t(20000 + second);
    append(input);
    for (int tick = 0; tick < 30; ++tick)
        devices.pump();
    EXPECT_EQ(counter.updates, 3);
    EXPECT_EQ(window->signal()->visibleSamples()[0], 20002) << "the last window begins at its own crossing";
    EXPECT_FALSE(window->stopped());
    window->unsubscribe(counter);
}

TEST_F(AcquisitionTest, OneChannelTriggeredOnTheSecondOpensTheDeviceInStereoAndKeepsTheLeft)
{
    AcquisitionSettings s = settings(1000, 4, 0);
    s.triggerOn = true;
    s.triggerChannel = 2;
    s.threshold = 0;
    marluneSB* window = started(s);
    EXPECT_EQ(devices.openings[0].format.channels, 2);
    append({1, 0, 2, 0, 3, 5, 4, 6, 5, 7, 6, 8, 7, 9, 8, 9});
    devices.pump(2);
    // The page append takes L − stride + 1 values from a stride of 2; the last sample keeps its old value.
    EXPECT_EQ(visible(*window), (std::vector<float>{3, 4, 5, 0}));
}

TEST_F(AcquisitionTest, AWindowLostByTheDeviceIsCountedInTheTitle)
{
    marluneSB* window = started(settings(1000, 50, 0));
    EXPECT_EQ(devices.newest(SoundDirection::Input)->queued(), 20u);
    UpdateCounter counter;
    window->subscribe(counter);
    const std::vector<int16_t> input = ramp(250, 0);
    append(input);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Input);
    ASSERT_TRUE(stream->deliver());
    EXPECT_EQ(window->caption(), " 1# Sound card monitor - 1");
    ASSERT_TRUE(stream->drop());
    ASSERT_TRUE(stream->deliver());
    EXPECT_EQ(counter.updates, 2);
    EXPECT_EQ(visible(*window), asFloats(input, 100, 50));
    EXPECT_EQ(window->lostBuffers(), 1u);
    EXPECT_EQ(window->caption(), " 1# Sound card monitor - 1 (lost buffers: 1)");

    window->changeTitle("1# Microphone");
    ASSERT_TRUE(stream->drop());
    ASSERT_TRUE(stream->drop());
    ASSERT_TRUE(stream->deliver());
    EXPECT_EQ(window->lostBuffers(), 3u);
    EXPECT_EQ(window->caption(), " 1# Microphone (lost buffers: 3)") << "a title set by the user keeps its text";
    window->unsubscribe(counter);
}

TEST_F(AcquisitionTest, StopClosesTheDeviceAndIgnoresBuffersThatComeBackLater)
{
    marluneSB* window = started(settings(1000, 10, 0));
    EXPECT_FALSE(client.dispatchState(Cmd::Start)->enabled);
    EXPECT_TRUE(client.dispatchState(Cmd::Stop)->enabled);
    append(ramp(40, 1));
    ASSERT_TRUE(devices.newest(SoundDirection::Input)->delay());
    client.dispatch(Cmd::Stop);
    devices.dispatch();
    EXPECT_EQ(window->bufferCount(), 0u);
    EXPECT_EQ(visible(*window), std::vector<float>(10, 0));
    EXPECT_TRUE(client.dispatchState(Cmd::Start)->enabled);
    EXPECT_FALSE(client.dispatchState(Cmd::Stop).value_or(CommandState{false}).enabled);

    client.dispatch(Cmd::Start);
    EXPECT_EQ(devices.openings.size(), 2u) << "START opens the device anew";
    client.closeWindow(window);
    EXPECT_TRUE(devices.streams().empty()) << "closing a recording window stops it first";
}

TEST_F(AcquisitionTest, MissingOrRefusingDevicesAreReportedAndTheWindowStaysStopped)
{
    VirtualSoundDevices none({}, {});
    marluneSB* window = marluneSB::create(client, none, settings(1000, 10, 0));
    client.setActiveChild(window);
    client.dispatch(Cmd::Start);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Could not find the sound card in your system.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_TRUE(window->stopped());

    devices.acceptOnly(SoundDirection::Input, -1, {{2, 44100}});
    marluneSB* refused = started(settings(1000, 10, 0));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text,
              "Could not open your sound card for playing. Please check if sound card is properly installed.");
    EXPECT_EQ(ui.messages[1].caption, "Error");
    EXPECT_TRUE(refused->stopped());
    EXPECT_TRUE(client.dispatchState(Cmd::Start)->enabled);
}

// The sound server going away mid-recording: the windows stored so far stay and START may be given again.
TEST_F(AcquisitionTest, ADeviceThatFailsWhileRecordingEndsItWithOneMessageAndKeepsTheWindows)
{
    marluneSB* window = started(settings(1000, 10, 1));
    ASSERT_EQ(window->signal()->count(), 1010u);
    UpdateCounter counter;
    window->subscribe(counter);
    const std::vector<int16_t> input = ramp(100, 1);
    append(input);
    VirtualSoundStream* stream = devices.newest(SoundDirection::Input);
    ASSERT_TRUE(stream->deliver());
    ASSERT_TRUE(stream->deliver());
    ASSERT_TRUE(stream->delay());
    EXPECT_GT(stream->queued(), 1u) << "several buffers come back failed";
    stream->fail();
    devices.dispatch();
    window->unsubscribe(counter);

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Could not open your sound card for playing. Please check if sound card is properly installed.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_TRUE(window->stopped());
    EXPECT_TRUE(devices.streams().empty()) << "the failed device is closed";
    EXPECT_EQ(window->bufferCount(), 3u) << "the window finished before the failure is stored";
    EXPECT_EQ(counter.updates, 3);
    EXPECT_TRUE(client.dispatchState(Cmd::Start)->enabled);
    EXPECT_FALSE(client.dispatchState(Cmd::Stop).value_or(CommandState{false}).enabled);
    EXPECT_EQ(visible(*window), asFloats(input, 20, 10));
    ASSERT_TRUE(window->signal()->zoomBack());
    const std::vector<float> all = visible(*window);
    EXPECT_EQ(std::vector<float>(all.begin(), all.begin() + 30), asFloats(input, 0, 30));
    EXPECT_EQ(std::vector<float>(all.begin() + 30, all.end()), std::vector<float>(980, 0));

    client.dispatch(Cmd::Start);
    EXPECT_FALSE(window->stopped()) << "a device that works again records again";
    EXPECT_EQ(devices.openings.size(), 2u);
    ASSERT_TRUE(devices.newest(SoundDirection::Input)->deliver());
    EXPECT_EQ(window->bufferCount(), 1u);
}

TEST_F(AcquisitionTest, AMeanInstrumentFollowsTheLiveSignal)
{
    marluneSB* window = started(settings(1000, 100, 0));
    client.dispatch(Cmd::InstrumentMean);
    auto* mean = dynamic_cast<marlune1DChild*>(client.windows().back());
    ASSERT_NE(mean, nullptr);
    client.setActiveChild(window);
    std::vector<int16_t> input = ramp(100, 0);  // mean 49.5
    input.insert(input.end(), 100, -300);
    append(input);
    devices.pump();
    EXPECT_DOUBLE_EQ(mean->value(), 49.5);
    devices.pump();
    EXPECT_DOUBLE_EQ(mean->value(), -300);
}

class StereoAcquisitionTest : public AcquisitionTest {
protected:
    TempFolder folder;
    marluneMDIClient calibrated{ui, folder.path.string() + "/"};

    StereoAcquisitionTest()
    {
        std::filesystem::create_directories(folder.path / "calibration");
        CalibrationData data;
        data.inputLevels = {50, 25};
        data.calibrationLevel = 1;
        data.offset = 0.5;
        data.units = "V";
        EXPECT_TRUE(data.write(folder.path / "calibration" / "stereo.cal"));
    }
};

TEST_F(StereoAcquisitionTest, TheCompanionShowsChannelTwoWithItsGainAndMayCloseWhileRecording)
{
    AcquisitionSettings s = settings(1000, 4, 1);  // P = floor(1000 / 4 + 1) = 251 pages
    s.channels = 2;
    s.calibrationFile = "stereo.cal";
    marluneSB* window = marluneSB::create(calibrated, devices, s);
    ASSERT_NE(window, nullptr);
    marluneSter* companion = window->companion();
    ASSERT_NE(companion, nullptr);
    EXPECT_EQ(companion->caption(), " 2# Sound card monitor - 2");
    EXPECT_EQ(companion->kind(), 8);
    EXPECT_TRUE(companion->fixedMinMax());
    EXPECT_EQ(window->yLabel(), "V");
    const double gain1 = 1 / (50 * 0.01 * 32767);
    const double gain2 = 1 / (25 * 0.01 * 32767);
    EXPECT_FLOAT_EQ(window->signal()->yMax(), float(gain1 * 32768 + 0.5));
    EXPECT_FLOAT_EQ(companion->signal()->yMin(), float(gain2 * -32768 + 0.5));

    calibrated.setActiveChild(companion);
    EXPECT_TRUE(calibrated.dispatchState(Cmd::Start)->enabled) << "the companion forwards START";
    calibrated.dispatch(Cmd::Start);
    EXPECT_FALSE(window->stopped());
    EXPECT_FALSE(calibrated.dispatchState(Cmd::Start)->enabled);
    EXPECT_EQ(devices.openings[0].format.channels, 2);

    append({1000, -2000, 3000, -4000, 5000, -6000, 7000, -8000});
    devices.pump();
    // A stride of 2 writes L − 1 values; the last keeps the zero-filled page's value.
    EXPECT_FLOAT_EQ(visible(*window)[2], float(5000 * gain1 + 0.5));
    EXPECT_FLOAT_EQ(visible(*companion)[0], float(-2000 * gain2 + 0.5));
    EXPECT_FLOAT_EQ(visible(*companion)[2], float(-6000 * gain2 + 0.5));

    calibrated.closeWindow(companion);
    EXPECT_EQ(window->companion(), nullptr);
    append(std::vector<int16_t>(8 * 300, 200));
    devices.pump(249);
    EXPECT_FALSE(window->stopped());
    EXPECT_FLOAT_EQ(visible(*window)[0], float(200 * gain1 + 0.5));
    devices.pump();
    EXPECT_TRUE(window->stopped()) << "without the companion the first channel's last page ends the recording";
}

TEST_F(StereoAcquisitionTest, TheAcquisitionCommandMakesAWindowFromACopyOfTheSettings)
{
    AcquisitionSettings appWide;
    appWide.caption = "changed";
    AcquisitionCommands commands(calibrated, devices, appWide);
    EXPECT_TRUE(calibrated.dispatchState(Cmd::AcquisitionSettings)->enabled);

    calibrated.dispatch(Cmd::AcquisitionSettings);
    EXPECT_TRUE(calibrated.windows().empty()) << "Cancel makes nothing";
    EXPECT_EQ(appWide.caption, "Sound card");

    ui.formAnswers.push_back([](DialogForm& form) {
        static_cast<AQForm&>(form).channels = 1;
        return true;
    });
    calibrated.dispatch(Cmd::AcquisitionSettings);
    ASSERT_EQ(calibrated.windows().size(), 2u) << "two channels make the companion too";
    auto* window = dynamic_cast<marluneSB*>(calibrated.windows()[0]);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->settings().channels, 2);
    EXPECT_EQ(window->companion(), calibrated.windows()[1]);
    appWide.windowLength = 16;
    EXPECT_EQ(window->settings().windowLength, 2048) << "the window keeps its own copy";
}

// Lengths a workspace or the dialog may hold that no recording can have are refused before anything is
// allocated, with the message of a failed allocation; a workspace's acquisition window goes the same way.
TEST_F(AcquisitionTest, WindowsThatCannotBeHadAreRefusedBeforeAnythingIsAllocated)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    // Device buffers of 2^31 x 100000 frames; pages of 192000 x 2^31 samples, more than a signal counts.
    const AcquisitionSettings hugeBuffers = settings(22050, 2147483647, 0, 100000);
    const AcquisitionSettings tooManyPages = settings(192000, 2048, 2147483647);
    EXPECT_FALSE(marluneSB::canBeHad(hugeBuffers));
    EXPECT_FALSE(marluneSB::canBeHad(tooManyPages));
    AcquisitionSettings stereoHour = settings(44100, 1 << 16, 3600);
    stereoHour.channels = 2;
    EXPECT_TRUE(marluneSB::canBeHad(stereoHour)) << "an hour of stereo, 1.3 GB";
    EXPECT_TRUE(marluneSB::canBeHad(settings(192000, 2048, 0, 100000)));
    for (const AcquisitionSettings& s : {hugeBuffers, tooManyPages}) {
        ui.messages.clear();
        const AddressSpaceLimit limit(64u << 20);
        EXPECT_EQ(marluneSB::create(client, devices, s), nullptr) << s.windowLength << " " << s.recordingLength;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "No more memory !!!");
    }
    EXPECT_TRUE(client.windows().empty());

    TempFolder folder;
    const auto workspace = folder.path / "live.mws";
    writeBytes(workspace, "[Root]\nRoot_1=Window_0\n\n[Window_0]\nType=8\nLinked=0\nSampleRate=22050\n"
                          "NumberOfChannels=2\nDecimation=100000\nSegmentLength=2147483647\nTotalLength=0\n");
    AcquisitionSettings appWide;
    const AcquisitionCommands commands(client, devices, appWide);
    registerWindowKinds(client, &devices);
    ui.messages.clear();
    {
        const AddressSpaceLimit limit(64u << 20);
        client.workspaces().load(workspace.string());
    }
    EXPECT_TRUE(client.windows().empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No more memory !!!");

    // A window of ordinary settings is made and records under the same limit.
    const AddressSpaceLimit limit(64u << 20);
    marluneSB* window = started(settings(1000, 100, 0));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->stopped());
}
