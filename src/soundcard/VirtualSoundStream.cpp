#include "soundcard/VirtualSoundStream.h"

#include "soundcard/VirtualSoundDevices.h"

VirtualSoundStream::VirtualSoundStream(VirtualSoundDevices& devices, SoundDirection direction, PcmFormat format)
    : devices_(&devices), direction_(direction), format_(format)
{
}

VirtualSoundStream::~VirtualSoundStream()
{
    close();
}

void VirtualSoundStream::queue(std::unique_ptr<SoundBuffer> buffer)
{
    if (closed_ || !buffer)
        return;
    buffer->done = 0;
    buffer->aborted = false;
    buffer->lostBefore = 0;
    buffer->failed = false;
    if (failed_) {
        giveBackFailed(std::move(buffer));
        return;
    }
    queue_.push_back(std::move(buffer));
}

void VirtualSoundStream::start()
{
    started_ = !closed_ && !failed_;
}

void VirtualSoundStream::reset()
{
    started_ = false;
    while (!queue_.empty()) {
        queue_.front()->aborted = true;
        devices_->post(this, std::move(queue_.front()));
        queue_.pop_front();
    }
}

void VirtualSoundStream::fail()
{
    if (closed_)
        return;
    failed_ = true;
    started_ = false;
    while (!queue_.empty()) {
        giveBackFailed(std::move(queue_.front()));
        queue_.pop_front();
    }
}

void VirtualSoundStream::giveBackFailed(std::unique_ptr<SoundBuffer> buffer)
{
    buffer->markFailed();
    devices_->post(this, std::move(buffer));
}

void VirtualSoundStream::close()
{
    if (closed_)
        return;
    closed_ = true;
    started_ = false;
    queue_.clear();
    if (devices_)
        devices_->forget(this);
}

bool VirtualSoundStream::complete(bool silent)
{
    if (!started_ || queue_.empty())
        return false;
    std::unique_ptr<SoundBuffer> buffer = std::move(queue_.front());
    queue_.pop_front();
    std::vector<int16_t>& samples = buffer->samples;
    if (direction_ == SoundDirection::Input) {
        const std::vector<int16_t>& source = devices_->inputSamples;
        for (int16_t& sample : samples)
            sample = devices_->inputPosition < source.size() ? source[devices_->inputPosition++] : int16_t(0);
    } else {
        if (silent)
            devices_->played.insert(devices_->played.end(), samples.size(), int16_t(0));
        else
            devices_->played.insert(devices_->played.end(), samples.begin(), samples.end());
    }
    buffer->done = samples.size();
    devices_->post(this, std::move(buffer));
    return true;
}

bool VirtualSoundStream::delay()
{
    return complete(false);
}

bool VirtualSoundStream::deliver()
{
    return handOut(complete(false));
}

bool VirtualSoundStream::handOut(bool completed)
{
    if (completed)
        devices_->dispatch();
    return completed;
}

bool VirtualSoundStream::drop()
{
    if (!started_ || queue_.empty())
        return false;
    if (direction_ == SoundDirection::Input) {
        SoundBuffer& front = *queue_.front();
        devices_->inputPosition += front.samples.size();
        front.lostBefore += front.samples.size();
        return true;
    }
    return handOut(complete(true));
}
