#include "soundcard/ui/QtSoundDevices.h"

#include <QMediaDevices>
#include <algorithm>

#include "soundcard/ui/PulseSoundStream.h"
#include "soundcard/ui/PulseSourceList.h"
#include "soundcard/ui/QtSoundStream.h"

namespace {
// The server's sources that Qt does not list (the monitors), in the server's order; none without a server.
std::vector<PulseSourceList::Source> beyondQt(const QList<QAudioDevice>& qt, const std::optional<PulseSourceList>& server)
{
    std::vector<PulseSourceList::Source> others;
    if (!server)
        return others;
    for (const PulseSourceList::Source& source : server->sources)
        if (std::none_of(qt.begin(), qt.end(), [&source](const QAudioDevice& d) { return d.id().toStdString() == source.name; }))
            others.push_back(source);
    return others;
}

bool usable(const QAudioDevice& device, const PcmFormat& format)
{
    return !device.isNull() && format.channels >= 1 && format.sampleRate > 0 &&
           device.isFormatSupported(QtSoundStream::qtFormat(format));
}
}  // namespace

bool QtSoundDevices::Input::accepts(const PcmFormat& format) const
{
    return pulseSource ? PulseSoundStream::accepts(format) : usable(qt, format);
}

std::optional<QtSoundDevices::Input> QtSoundDevices::input(int number)
{
    if (number == DefaultDevice) {
        const std::optional<PulseSourceList> server = PulseSourceList::query();
        const QAudioDevice qtDefault = QMediaDevices::defaultAudioInput();
        // Where the server's default source is not one of Qt's, Qt's default is another device or none.
        if (server && server->find(server->defaultSource) && qtDefault.id().toStdString() != server->defaultSource)
            return Input{{}, server->defaultSource};
        return qtDefault.isNull() ? std::nullopt : std::optional<Input>(Input{qtDefault, {}});
    }
    if (number < 0)
        return std::nullopt;
    const QList<QAudioDevice> qt = QMediaDevices::audioInputs();
    if (number < qt.size())
        return Input{qt[number], {}};
    const std::vector<PulseSourceList::Source> others = beyondQt(qt, PulseSourceList::query());
    const std::size_t other = std::size_t(number - qt.size());
    if (other >= others.size())
        return std::nullopt;
    return Input{{}, others[other].name};
}

QAudioDevice QtSoundDevices::output(int number)
{
    if (number == DefaultDevice)
        return QMediaDevices::defaultAudioOutput();
    const QList<QAudioDevice> all = QMediaDevices::audioOutputs();
    return number >= 0 && number < all.size() ? all[number] : QAudioDevice();
}

std::vector<std::string> QtSoundDevices::names(SoundDirection direction) const
{
    std::vector<std::string> names;
    if (direction == SoundDirection::Output) {
        for (const QAudioDevice& device : QMediaDevices::audioOutputs())
            names.push_back(device.description().toStdString());
        return names;
    }
    const QList<QAudioDevice> qt = QMediaDevices::audioInputs();
    for (const QAudioDevice& device : qt)
        names.push_back(device.description().toStdString());
    for (const PulseSourceList::Source& source : beyondQt(qt, PulseSourceList::query()))
        names.push_back(source.description);
    return names;
}

bool QtSoundDevices::supports(SoundDirection direction, int number, const PcmFormat& format) const
{
    if (direction == SoundDirection::Output)
        return usable(output(number), format);
    const std::optional<Input> found = input(number);
    return found && found->accepts(format);
}

std::unique_ptr<SoundStream> QtSoundDevices::open(SoundDirection direction, int number, const PcmFormat& format)
{
    if (direction == SoundDirection::Output) {
        const QAudioDevice device = output(number);
        if (!usable(device, format))
            return nullptr;
        return std::make_unique<QtSoundStream>(direction, device, format);
    }
    const std::optional<Input> found = input(number);
    if (!found || !found->accepts(format))
        return nullptr;
    if (found->pulseSource)
        return PulseSoundStream::open(*found->pulseSource, format);
    return std::make_unique<QtSoundStream>(direction, found->qt, format);
}
