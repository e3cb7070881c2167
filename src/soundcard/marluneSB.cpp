#include "soundcard/marluneSB.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <string>

#include "base/FormatText.h"
#include "base/MachineMemory.h"
#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "signal/SignalKind.h"
#include "soundcard/AcquisitionSettingsIni.h"
#include "soundcard/CalibrationData.h"
#include "soundcard/Decimation.h"
#include "soundcard/SoundDevices.h"
#include "soundcard/marluneSter.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

namespace {
// A window of no samples or a ratio below 1 would leave nothing to record.
uint32_t windowLength(const AcquisitionSettings& s)
{
    return uint32_t(std::max(s.windowLength, 1));
}

uint32_t ratio(const AcquisitionSettings& s)
{
    return uint32_t(std::max(s.decimation, 1));
}

// P = floor(T x R / (N x L) + 1): enough pages for the recording length, one for monitoring. Worked out
// in extended precision, so that lengths from a file come out as large as they are.
long double pageCount(const AcquisitionSettings& s)
{
    const long double seconds = std::max(s.recordingLength, 0);
    return std::max(std::floor(seconds * s.sampleRate / ((long double)ratio(s) * windowLength(s)) + 1), 1.0L);
}

int32_t deviceChannelsOf(const AcquisitionSettings& s)
{
    return s.triggerOn && s.triggerChannel == 2 ? 2 : std::clamp(s.channels, 1, 2);
}

uint32_t buffersOf(const AcquisitionSettings& s)
{
    constexpr double MaxBuffers = 64;
    const double perSecond = std::max(s.sampleRate, 1) / (double(windowLength(s)) * ratio(s));
    return uint32_t(std::clamp(std::ceil(perSecond), 2.0, MaxBuffers));
}

std::unique_ptr<Signal> pagedBuffer(const AcquisitionSettings& s, double gain, double offset)
{
    auto signal = Signal::acquisitionBuffer(nullptr, windowLength(s), uint32_t(pageCount(s)),
                                            (long double)s.sampleRate / ratio(s));
    const double a = gain * -32768 + offset;
    const double b = gain * 32768 + offset;
    signal->setYRange(float(std::max(a, b)), float(std::min(a, b)));
    return signal;
}

// The page append scans the samples for the Y range; a window with a fixed range keeps its own.
void appendKeepingRange(marluneMDIChild& window, const int16_t* frames, uint32_t channel, uint32_t stride, double gain,
                        double offset)
{
    Signal& signal = *window.signal();
    const float max = signal.yMax();
    const float min = signal.yMin();
    signal.appendPage(frames, channel, stride, gain, offset);
    if (window.fixedMinMax())
        signal.setYRange(max, min);
}
}  // namespace

bool marluneSB::canBeHad(const AcquisitionSettings& s)
{
    const long double samples = pageCount(s) * windowLength(s);
    if (samples > std::numeric_limits<uint32_t>::max())
        return false;
    const long double pages = samples * sizeof(float) * (s.channels == 2 ? 2 : 1);
    const long double buffers =
        (long double)windowLength(s) * ratio(s) * deviceChannelsOf(s) * sizeof(int16_t) * buffersOf(s);
    return pages + buffers <= machineMemoryBytes();
}

marluneSB* marluneSB::create(marluneMDIClient& client, SoundDevices& devices, const AcquisitionSettings& settings)
{
    UiServices& ui = client.ui();
    AcquisitionSettings own = settings;
    // A re-armed trigger replaces the one page window after window.
    if (own.reArm)
        own.recordingLength = 0;
    const CalibrationData calibration =
        CalibrationData::loadForAcquisition(ui, client.paths(), own.calibrationFile);
    const unsigned number = client.nextCreationNumber();
    if (!canBeHad(own)) {
        showNoMoreMemory(ui);
        return nullptr;
    }
    std::unique_ptr<marluneSB> window;
    std::unique_ptr<Signal> second;
    try {
        window = std::make_unique<marluneSB>(client, devices, own,
                                             pagedBuffer(own, calibration.gain(0), calibration.offset));
        if (own.channels == 2)
            second = pagedBuffer(own, calibration.gain(1), calibration.offset);
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(ui);
        return nullptr;
    }
    window->gain1_ = calibration.gain(0);
    window->gain2_ = calibration.gain(1);
    window->offset_ = calibration.offset;
    window->setYLabel(calibration.units);
    window->setCaption(formatText(TitleFormat, number));
    auto* made = client.addWindow(std::move(window));
    if (!made || !second)
        return made;
    auto companion = std::make_unique<marluneSter>(*made, std::move(second));
    companion->setCaption(formatText(marluneSter::TitleFormat, client.nextCreationNumber()));
    made->companion_ = client.addWindow(std::move(companion));
    // The second channel stands right below the first, as large.
    if (made->companion_ && made->placement()) {
        const WindowPlacement& first = *made->placement();
        made->companion_->place({first.left, first.bottom, first.right, 2 * first.bottom - first.top});
    }
    return made;
}

marluneSB::marluneSB(marluneMDIClient& client, SoundDevices& devices, const AcquisitionSettings& settings,
                     std::unique_ptr<Signal> signal)
    : marluneMDIChild(client, SignalKind::Acquisition, std::move(signal)), devices_(devices), settings_(settings)
{
    setFixedMinMax(true);
    setXLabel("sec");
}

marluneSB::~marluneSB()
{
    stopped_ = true;
    closeDevice();
    if (companion_)
        companion_->acquisition_ = nullptr;
}

int32_t marluneSB::deviceChannels() const
{
    return deviceChannelsOf(settings_);
}

void marluneSB::failed(const char* message)
{
    // Stopped before the message: buffers that come back while it is shown find the device closed.
    stop();
    client().ui().messageBox(message, "Error");
}

void marluneSB::start()
{
    bufferCount_ = 0;
    stopped_ = false;
    const auto channels = uint32_t(deviceChannels());
    if (devices_.names(SoundDirection::Input).empty()) {
        failed(NoDevice);
        return;
    }
    // The trigger and the buffers are had before the device starts; without them the window stays stopped.
    try {
        trigger_.reset();
        if (settings_.triggerOn)
            trigger_ = std::make_unique<TriggerBuffer>(settings_.threshold, windowLength(settings_), channels,
                                                       uint32_t(std::max(settings_.triggerChannel, 1)),
                                                       uint32_t(std::max(settings_.skip, 0)));
        stream_ = devices_.open(SoundDirection::Input, settings_.device, {int32_t(channels), settings_.sampleRate});
        if (!stream_) {
            failed(OpenFailed);
            return;
        }
        // The handler's stopped test ignores buffers that come back after STOP; the stream is gone by then anyway.
        stream_->setDoneHandler([this](std::unique_ptr<SoundBuffer> buffer) { bufferDone(std::move(buffer)); });
        const std::size_t samples = std::size_t(windowLength(settings_)) * ratio(settings_) * channels;
        for (long tag = 1; tag <= long(buffersQueued()); ++tag)
            stream_->queue(std::make_unique<SoundBuffer>(samples, tag));
    } catch (const std::bad_alloc&) {
        stop();
        showNoMoreMemory(client().ui());
        return;
    }
    stream_->start();
}

uint32_t marluneSB::buffersQueued() const
{
    return buffersOf(settings_);
}

void marluneSB::countLost(std::size_t samples, std::size_t bufferSamples)
{
    std::string text = caption();
    const std::string previous = formatText(LostFormat, lostBuffers_);
    if (lostBuffers_ > 0 && text.ends_with(previous))
        text.resize(text.size() - previous.size());
    lostBuffers_ += uint32_t((samples + bufferSamples - 1) / bufferSamples);
    setCaption(text + formatText(LostFormat, lostBuffers_));
}

void marluneSB::stop()
{
    const bool wasRecording = !stopped_;
    stopped_ = true;
    closeDevice();
    // The repaint also tells the command bar that START and STOP changed places.
    if (wasRecording)
        repaint();
}

void marluneSB::closeDevice()
{
    if (!stream_)
        return;
    // Closing drops the buffers that reset gives back, so nothing more is heard from this stream.
    std::unique_ptr<SoundStream> stream = std::move(stream_);
    stream->reset();
    stream->close();
}

void marluneSB::bufferDone(std::unique_ptr<SoundBuffer> buffer)
{
    if (stopped_)
        return;
    // A device that stops working ends the recording as one that would not open; the stored windows stay.
    if (buffer->failed) {
        failed(OpenFailed);
        return;
    }
    if (buffer->aborted)
        return;
    ++bufferCount_;
    if (buffer->lostBefore > 0)
        countLost(buffer->lostBefore, buffer->samples.size());
    const uint32_t frames = windowLength(settings_);
    int16_t* block = buffer->samples.data();
    decimateInPlace(block, frames, ratio(settings_), uint32_t(deviceChannels()));
    // The trigger is kept until the next START: storing may end the recording while its output is read.
    TriggerBuffer* trigger = trigger_.get();
    if (trigger)
        trigger->feed(block, frames);
    const bool newData = !trigger || trigger->complete();
    if (newData) {
        if (trigger && settings_.reArm)
            trigger->rearm();
        store(trigger ? trigger->output() : block);
        if (trigger)
            trigger->emptyOutput();
    }
    if (!stopped_ && stream_)
        stream_->queue(std::move(buffer));
    if (!newData)
        return;
    updateAfterChange();
    if (companion_)
        companion_->updateAfterChange();
}

void marluneSB::store(const int16_t* frames)
{
    if (settings_.channels != 2) {
        appendKeepingRange(*this, frames, 0, uint32_t(deviceChannels()), gain1_, offset_);
        return;
    }
    appendKeepingRange(*this, frames, 0, 2, gain1_, offset_);
    if (companion_)
        appendKeepingRange(*companion_, frames, 1, 2, gain2_, offset_);
}

const CommandRow<marluneSB> marluneSB::Rows[] = {
    {Cmd::Start, [](const marluneSB& w) { return std::optional(CommandState{w.stopped_}); },
     [](marluneSB& w) {
         if (w.stopped_)
             w.start();
     }},
    // While not recording, 12560 is the signal window's "Stop playing".
    {Cmd::Stop, [](const marluneSB& w) { return w.stopped_ ? std::nullopt : std::optional(CommandState{}); },
     [](marluneSB& w) { w.stop(); }},
};

const CommandTable<marluneSB> marluneSB::Table{"acquisition window", Rows};

std::optional<CommandState> marluneSB::commandState(int id) const
{
    if (auto state = Table.state(*this, id))
        return state;
    return marluneMDIChild::commandState(id);
}

bool marluneSB::command(int id)
{
    return Table.run(*this, id) || marluneMDIChild::command(id);
}

void marluneSB::saveKindKeys(TIniHelper& ini, const std::string& section) const
{
    AcquisitionSettings saved = settings_;
    saved.windowLength = int32_t(signal()->pageLength());
    writeAcquisitionWindow(ini, section, saved);
}
