#pragma once
// A device opened through Qt Multimedia.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

#include "soundcard/SoundStream.h"

class QAudioSink;
class QAudioSource;
class QtBufferDevice;
class QtBufferQueue;

// A QAudioSource that writes into the queued buffers, or a QAudioSink that reads the samples to play from
// them.
class QtSoundStream : public SoundStream {
public:
    QtSoundStream(SoundDirection direction, const QAudioDevice& device, const PcmFormat& format);
    ~QtSoundStream() override;
    QtSoundStream(const QtSoundStream&) = delete;
    QtSoundStream& operator=(const QtSoundStream&) = delete;

    // The Qt format of a 16-bit PCM format.
    static QAudioFormat qtFormat(const PcmFormat& format);

    PcmFormat format() const override { return format_; }
    SoundDirection direction() const override { return direction_; }
    void setDoneHandler(DoneHandler handler) override;
    void queue(std::unique_ptr<SoundBuffer> buffer) override;
    void start() override;
    void reset() override;
    void close() override;
    // The sink's processed time is followed until it reaches what was queued since the start, or until
    // the time that takes, and a margin, has passed (a server that stops reporting).
    void whenPlayed(std::function<void()> played) override;

private:
    void stopDevice();
    void checkPlayed();

    SoundDirection direction_;
    PcmFormat format_;
    std::shared_ptr<QtBufferQueue> queue_;
    std::unique_ptr<QtBufferDevice> data_;
    std::unique_ptr<QAudioSource> source_;
    std::unique_ptr<QAudioSink> sink_;
    // Frames queued for the output since it started.
    uint64_t queuedFrames_ = 0;
    std::function<void()> played_;
    std::unique_ptr<QTimer> playedTimer_;
    QElapsedTimer playedClock_;
    qint64 playedDeadlineMs_ = 0;
};
