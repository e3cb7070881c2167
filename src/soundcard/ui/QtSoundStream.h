#pragma once
// A device opened through Qt Multimedia.
#include <QAudioDevice>
#include <QAudioFormat>
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

private:
    void stopDevice();

    SoundDirection direction_;
    PcmFormat format_;
    std::shared_ptr<QtBufferQueue> queue_;
    std::unique_ptr<QtBufferDevice> data_;
    std::unique_ptr<QAudioSource> source_;
    std::unique_ptr<QAudioSink> sink_;
};
