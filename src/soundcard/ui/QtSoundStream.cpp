#include "soundcard/ui/QtSoundStream.h"

#include <QAudioSink>
#include <QAudioSource>
#include <algorithm>

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
    if (sink_ && buffer)
        queuedFrames_ += buffer->samples.size() / std::max(1, format_.channels);
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
    queuedFrames_ = 0;
    playedTimer_.reset();
    played_ = nullptr;
}

void QtSoundStream::whenPlayed(std::function<void()> played)
{
    if (!sink_ || format_.sampleRate <= 0) {
        QTimer::singleShot(0, [played = std::move(played)] { played(); });
        return;
    }
    played_ = std::move(played);
    const qint64 queuedMs = qint64(queuedFrames_ * 1000 / uint64_t(format_.sampleRate));
    const qint64 doneMs = sink_->processedUSecs() / 1000;
    playedDeadlineMs_ = std::max<qint64>(queuedMs - doneMs, 0) + 2000;
    playedClock_.start();
    playedTimer_ = std::make_unique<QTimer>();
    playedTimer_->setInterval(10);
    QObject::connect(playedTimer_.get(), &QTimer::timeout, [this] { checkPlayed(); });
    playedTimer_->start();
}

void QtSoundStream::checkPlayed()
{
    const qint64 queuedUs = qint64(queuedFrames_ * 1000000 / uint64_t(format_.sampleRate));
    const bool stopped = sink_->state() == QAudio::StoppedState;
    if (sink_->processedUSecs() < queuedUs && !stopped && playedClock_.elapsed() < playedDeadlineMs_)
        return;
    // The timer stops and goes before the owner hears it, who may destroy the stream.
    playedTimer_->stop();
    playedTimer_.release()->deleteLater();
    std::function<void()> played = std::move(played_);
    played_ = nullptr;
    if (played)
        played();
}

void QtSoundStream::close()
{
    playedTimer_.reset();
    played_ = nullptr;
    stopDevice();
    queue_->close();
    source_.reset();
    sink_.reset();
}
