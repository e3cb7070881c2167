#include "soundcard/ui/QtSoundStream.h"

#include <QAudioSink>
#include <QAudioSource>

#include "soundcard/ui/QtBufferDevice.h"
#include "soundcard/ui/QtBufferQueue.h"

namespace {
// Qt stops a source or sink with one of these when the device or its sound server goes away; an
// underrun of an output that ran dry is no failure.
template <class Audio>
bool failedDevice(const Audio& audio)
{
    const QAudio::Error error = audio.error();
    return audio.state() == QAudio::StoppedState &&
           (error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError);
}

template <class Audio>
void failWithDevice(Audio* audio, std::shared_ptr<QtBufferQueue> queue)
{
    QObject::connect(audio, &Audio::stateChanged, audio, [audio, queue] {
        if (failedDevice(*audio))
            queue->fail();
    });
}

// A device that cannot start stays stopped, so no change of state tells of it.
template <class Audio>
void startOrFail(Audio& audio, QIODevice* data, QtBufferQueue& queue)
{
    audio.start(data);
    if (failedDevice(audio))
        queue.fail();
}
}  // namespace

QtSoundStream::QtSoundStream(SoundDirection direction, const QAudioDevice& device, const PcmFormat& format)
    : direction_(direction), format_(format), queue_(std::make_shared<QtBufferQueue>()),
      data_(std::make_unique<QtBufferDevice>(queue_))
{
    if (direction == SoundDirection::Input) {
        source_ = std::make_unique<QAudioSource>(device, qtFormat(format));
        failWithDevice(source_.get(), queue_);
        data_->open(QIODevice::WriteOnly);
    } else {
        sink_ = std::make_unique<QAudioSink>(device, qtFormat(format));
        failWithDevice(sink_.get(), queue_);
        data_->open(QIODevice::ReadOnly);
    }
}

QtSoundStream::~QtSoundStream()
{
    close();
}

QAudioFormat QtSoundStream::qtFormat(const PcmFormat& format)
{
    QAudioFormat qt;
    qt.setSampleRate(format.sampleRate);
    qt.setChannelCount(format.channels);
    qt.setSampleFormat(QAudioFormat::Int16);
    return qt;
}

void QtSoundStream::setDoneHandler(DoneHandler handler)
{
    queue_->setHandler(std::move(handler));
}

void QtSoundStream::queue(std::unique_ptr<SoundBuffer> buffer)
{
    queue_->queue(std::move(buffer));
    // An output that ran dry stops pulling until it hears of new data.
    if (sink_)
        data_->announceData();
}

void QtSoundStream::start()
{
    if (source_)
        startOrFail(*source_, data_.get(), *queue_);
    else if (sink_)
        startOrFail(*sink_, data_.get(), *queue_);
}

void QtSoundStream::stopDevice()
{
    if (source_) {
        source_->stop();
    } else if (sink_) {
        // Sound still buffered in the server is dropped, as a reset silences the output at once.
        sink_->reset();
        sink_->stop();
    }
}

void QtSoundStream::reset()
{
    stopDevice();
    queue_->abortAll();
}

void QtSoundStream::close()
{
    stopDevice();
    queue_->close();
    source_.reset();
    sink_.reset();
}
