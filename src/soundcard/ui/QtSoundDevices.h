#pragma once
#include <QAudioDevice>

#include "soundcard/SoundDevices.h"

// The system's sound devices through Qt Multimedia (PulseAudio on the desktop), numbered in the order
// QMediaDevices lists them.
class QtSoundDevices : public SoundDevices {
public:
    std::vector<std::string> names(SoundDirection direction) const override;
    bool supports(SoundDirection direction, int device, const PcmFormat& format) const override;
    std::unique_ptr<SoundStream> open(SoundDirection direction, int device, const PcmFormat& format) override;

private:
    // The device of that number, or a null device.
    static QAudioDevice device(SoundDirection direction, int number);
};
