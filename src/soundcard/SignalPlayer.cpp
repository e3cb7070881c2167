#include "soundcard/SignalPlayer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/UiServices.h"
#include "soundcard/SoundDevices.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

SignalPlayer::SignalPlayer(marluneMDIChild& window, SoundDevices& devices)
    : window_(window), devices_(devices), self_(std::make_shared<SignalPlayer*>(this))
{
}

SignalPlayer::~SignalPlayer()
{
    stopped_ = true;
    if (stream_) {
        stream_->reset();
        stream_->close();
    }
}

int16_t SignalPlayer::convert(float x, float min, float max)
{
    const double span = double(max) - double(min);
    if (!(span > 0) || std::isnan(x))
        return Middle;
    // The Y range spans 30000 steps centred on zero: a range from 0 up would put half the scale of DC on
    // the output, and a thump at every start and stop.
    const double value = std::trunc((double(x) - min) * 30000 / span) - 15000;
    if (!std::isfinite(value))
        return Middle;
    return int16_t(std::clamp(value, -32768.0, 32767.0));
}

bool SignalPlayer::soundPlayable(const marluneMDIChild& window)
{
    const Signal* signal = window.signal();
    return signal && signal->visibleCount() >= MinimumBlock;
}

bool SignalPlayer::steppable(const marluneMDIChild& window)
{
    const Signal* signal = window.signal();
    return signal && uint64_t(signal->lastVisible()) + window.step() < signal->count();
}

bool SignalPlayer::fillNext(SoundBuffer& buffer)
{
    const Signal& signal = *window_.signal();
    if (next_ >= signal.count())
        return false;
    const auto length = uint32_t(std::min<uint64_t>(block_, signal.count() - next_));
    buffer.samples.resize(length);
    const float* samples = signal.samples() + next_;
    for (uint32_t i = 0; i < length; ++i)
        buffer.samples[i] = convert(samples[i], signal.yMin(), signal.yMax());
    next_ += length;
    return true;
}

void SignalPlayer::playWithSound()
{
    const Signal& signal = *window_.signal();
    UiServices& ui = window_.client().ui();
    stopped_ = false;
    block_ = signal.visibleCount();
    next_ = signal.firstVisible();
    std::vector<std::unique_ptr<SoundBuffer>> blocks;
    for (int k = 0; k < MaxBlocks; ++k) {
        auto buffer = std::make_unique<SoundBuffer>(0, k);
        if (!fillNext(*buffer))
            break;
        blocks.push_back(std::move(buffer));
    }
    queued_ = int(blocks.size());
    if (devices_.names(SoundDirection::Output).empty()) {
        ui.messageBox(NoDevice, "Error");
        stop();
        return;
    }
    // The output rate is the signal's rate without its fraction.
    const double rate = std::trunc(double(signal.sampleRate()));
    const int32_t deviceRate = rate >= 1 && rate <= 2147483647.0 ? int32_t(rate) : 0;
    stream_ = devices_.open(SoundDirection::Output, SoundDevices::DefaultDevice, {1, deviceRate});
    if (!stream_) {
        ui.messageBox(PlayFailed, "Error");
        stop();
        return;
    }
    stream_->setDoneHandler([this](std::unique_ptr<SoundBuffer> buffer) { blockDone(std::move(buffer)); });
    for (auto& buffer : blocks)
        stream_->queue(std::move(buffer));
    stream_->start();
}

void SignalPlayer::blockDone(std::unique_ptr<SoundBuffer> buffer)
{
    if (stopped_)
        return;
    // A device that stops working ends playback as one that would not play; the view stays where it got.
    if (buffer->failed) {
        stop();
        window_.client().ui().messageBox(PlayFailed, "Error");
        return;
    }
    if (buffer->aborted)
        return;
    if (--queued_ <= 0) {
        // The last block left the queue, not yet the device: stopping now would cut its end off.
        const std::weak_ptr<SignalPlayer*> player = self_;
        stream_->whenPlayed([player] {
            if (const auto alive = player.lock())
                (*alive)->stop();
        });
        return;
    }
    Signal& signal = *window_.signal();
    // Refused at the end of the signal: the view then stays on the last whole block.
    static_cast<void>(signal.scrollRight(block_));
    if (fillNext(*buffer)) {
        stream_->queue(std::move(buffer));
        ++queued_;
    }
    window_.updateAfterChange();
}

void SignalPlayer::playWithoutSound()
{
    stopped_ = false;
    ++run_;
    window_.repaint();
    stepLater(0);
}

void SignalPlayer::stepLater(int ms)
{
    const std::weak_ptr<SignalPlayer*> player = self_;
    const uint32_t run = run_;
    window_.client().ui().callLater(ms, [player, run] {
        if (const auto alive = player.lock())
            (*alive)->silentStep(run);
    });
}

void SignalPlayer::silentStep(uint32_t run)
{
    if (stopped_ || run != run_)
        return;
    if (steppable(window_) && window_.stepRight()) {
        stepLater(StepDelayMs);
        return;
    }
    stop();
}

void SignalPlayer::stop()
{
    const bool wasPlaying = !stopped_;
    stopped_ = true;
    queued_ = 0;
    if (stream_) {
        std::unique_ptr<SoundStream> stream = std::move(stream_);
        stream->reset();
        stream->close();
    }
    // The repaint also tells the command bar that playing can start again.
    if (wasPlaying)
        window_.repaint();
}
