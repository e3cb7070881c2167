#pragma once
// The system's sound devices.
#include <QAudioDevice>
#include <optional>
#include <string>

#include "soundcard/SoundDevices.h"

// Outputs, and the inputs Qt Multimedia lists, go through Qt Multimedia in its order. Qt lists no monitor
// source of a sink, yet recording what the computer plays is a common way to measure, so the PulseAudio
// server's other sources follow Qt's inputs and are recorded through PulseAudio's own client; so is the
// default input whenever the server's default source is not one of Qt's.
class QtSoundDevices : public SoundDevices {
public:
    std::vector<std::string> names(SoundDirection direction) const override;
    bool supports(SoundDirection direction, int device, const PcmFormat& format) const override;
    std::unique_ptr<SoundStream> open(SoundDirection direction, int device, const PcmFormat& format) override;

private:
    // An input device: one of Qt's, or else the name of a PulseAudio source.
    struct Input {
        QAudioDevice qt;
        std::optional<std::string> pulseSource;

        bool accepts(const PcmFormat& format) const;
    };

    // The device of that number; nothing (a null output) when there is none.
    static std::optional<Input> input(int number);
    static QAudioDevice output(int number);
};
