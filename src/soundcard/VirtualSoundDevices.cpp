#include "soundcard/VirtualSoundDevices.h"

#include <algorithm>

#include "soundcard/VirtualSoundStream.h"

VirtualSoundDevices::VirtualSoundDevices(std::vector<std::string> inputs, std::vector<std::string> outputs)
    : inputNames(std::move(inputs)), outputNames(std::move(outputs))
{
}

VirtualSoundDevices::~VirtualSoundDevices()
{
    // Streams that outlive their devices only refuse further work.
    for (VirtualSoundStream* stream : streams_) {
        stream->close();
        stream->devices_ = nullptr;
    }
}

void VirtualSoundDevices::acceptOnly(SoundDirection direction, int device, std::vector<PcmFormat> formats)
{
    accepted_[{direction, device}] = std::move(formats);
}

VirtualSoundStream* VirtualSoundDevices::newest(SoundDirection direction) const
{
    const auto found = std::find_if(streams_.rbegin(), streams_.rend(),
                                    [direction](const VirtualSoundStream* s) { return s->direction() == direction; });
    return found == streams_.rend() ? nullptr : *found;
}

void VirtualSoundDevices::dispatch()
{
    while (!posted_.empty()) {
        Notification next = std::move(posted_.front());
        posted_.pop_front();
        // The handler may destroy the stream, so it runs from a copy and the stream is not touched afterwards.
        const SoundStream::DoneHandler handler = next.stream->handler_;
        if (handler)
            handler(std::move(next.buffer));
    }
}

void VirtualSoundDevices::pump(int ticks)
{
    for (int tick = 0; tick < ticks; ++tick) {
        // A handler may open or close streams, so the ticking streams are fixed first.
        const std::vector<VirtualSoundStream*> ticking = streams_;
        for (VirtualSoundStream* stream : ticking)
            stream->complete(false);
        dispatch();
    }
}

std::vector<std::string> VirtualSoundDevices::names(SoundDirection direction) const
{
    return direction == SoundDirection::Input ? inputNames : outputNames;
}

bool VirtualSoundDevices::supports(SoundDirection direction, int device, const PcmFormat& format) const
{
    if (device < DefaultDevice || device >= int(names(direction).size()) || names(direction).empty())
        return false;
    const auto restricted = accepted_.find({direction, device});
    if (restricted == accepted_.end())
        return (format.channels == 1 || format.channels == 2) && format.sampleRate > 0;
    return std::find(restricted->second.begin(), restricted->second.end(), format) != restricted->second.end();
}

std::unique_ptr<SoundStream> VirtualSoundDevices::open(SoundDirection direction, int device, const PcmFormat& format)
{
    if (!supports(direction, device, format))
        return nullptr;
    auto stream = std::make_unique<VirtualSoundStream>(*this, direction, format);
    streams_.push_back(stream.get());
    openings.push_back({direction, device, format});
    return stream;
}

void VirtualSoundDevices::post(VirtualSoundStream* stream, std::unique_ptr<SoundBuffer> buffer)
{
    posted_.push_back({stream, std::move(buffer)});
}

void VirtualSoundDevices::forget(VirtualSoundStream* stream)
{
    std::erase_if(posted_, [stream](const Notification& n) { return n.stream == stream; });
    std::erase(streams_, stream);
}
