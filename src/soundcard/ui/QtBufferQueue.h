#pragma once
// The buffers of one desktop sound stream, shared between the audio thread and the UI thread.
#include <QtGlobal>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

#include "soundcard/SoundStream.h"

// The audio object fills or drains them on whatever thread it runs; the user-interface thread queues them
// and gets them back. Every finished buffer is handed to the done handler by an event posted to the
// application.
class QtBufferQueue : public std::enable_shared_from_this<QtBufferQueue> {
public:
    void setHandler(SoundStream::DoneHandler handler);
    void queue(std::unique_ptr<SoundBuffer> buffer);
    // Input: recorded bytes into the queued buffers; bytes that find no buffer are lost, and the next
    // buffer filled tells how many samples that were.
    void fill(const char* data, qint64 bytes);
    // Input: bytes the device recorded but could not deliver; counted as lost like those that find no buffer.
    void lose(qint64 bytes);
    // Output: bytes to play out of the queued buffers; fewer when the queue runs dry.
    qint64 drain(char* data, qint64 bytes);
    qint64 queuedBytes() const;
    // Every queued buffer goes back, aborted, with what it holds so far.
    void abortAll();
    // The device stopped working: every queued buffer goes back failed, after those finished before, and
    // so does every buffer queued later.
    void fail();
    // Nothing more goes back: queued and finished buffers are freed and posted events find nothing.
    void close();

private:
    template <class Copy>
    qint64 transfer(qint64 bytes, Copy copy);
    // Under the lock: the front buffer goes to the finished ones and an event will hand it out.
    void finishFront();
    // Under the lock: the buffer goes to the finished ones and an event will hand it out.
    void finish(std::unique_ptr<SoundBuffer> buffer);
    // Under the lock: the buffer goes back failed.
    void giveBackFailed(std::unique_ptr<SoundBuffer> buffer);
    // On the user-interface thread: the oldest finished buffer to the handler.
    void handOut();

    mutable std::mutex mutex_;
    std::deque<std::unique_ptr<SoundBuffer>> pending_;
    std::deque<std::unique_ptr<SoundBuffer>> finished_;
    std::size_t frontBytes_ = 0;  // bytes of the front buffer already filled or played
    std::size_t lostSamples_ = 0;  // input recorded while no buffer was queued
    SoundStream::DoneHandler handler_;
    bool closed_ = false;
    bool failed_ = false;
};
