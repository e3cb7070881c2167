#include "soundcard/ui/QtSoundDevices.h"

#include <QMediaDevices>

#include "soundcard/ui/QtSoundStream.h"

namespace {
QList<QAudioDevice> devicesOf(SoundDirection direction)
{
    return direction == SoundDirection::Input ? QMediaDevices::audioInputs() : QMediaDevices::audioOutputs();
}
}  // namespace

QAudioDevice QtSoundDevices::device(SoundDirection direction, int number)
{
    if (number == DefaultDevice)
        return direction == SoundDirection::Input ? QMediaDevices::defaultAudioInput()
                                                  : QMediaDevices::defaultAudioOutput();
    const QList<QAudioDevice> all = devicesOf(direction);
    return number >= 0 && number < all.size() ? all[number] : QAudioDevice();
}

std::vector<std::string> QtSoundDevices::names(SoundDirection direction) const
{
    std::vector<std::string> names;
    for (const QAudioDevice& device : devicesOf(direction))
        names.push_back(device.description().toStdString());
    return names;
}

bool QtSoundDevices::supports(SoundDirection direction, int number, const PcmFormat& format) const
{
    if (format.channels < 1 || format.sampleRate <= 0)
        return false;
    const QAudioDevice found = device(direction, number);
    return !found.isNull() && found.isFormatSupported(QtSoundStream::qtFormat(format));
}

std::unique_ptr<SoundStream> QtSoundDevices::open(SoundDirection direction, int number, const PcmFormat& format)
{
    if (!supports(direction, number, format))
        return nullptr;
    return std::make_unique<QtSoundStream>(direction, device(direction, number), format);
}
