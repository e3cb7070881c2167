#include "soundcard/ui/QtBufferQueue.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>

void QtBufferQueue::setHandler(SoundStream::DoneHandler handler)
{
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
}

void QtBufferQueue::queue(std::unique_ptr<SoundBuffer> buffer)
{
    std::lock_guard lock(mutex_);
    if (closed_ || !buffer)
        return;
    buffer->done = 0;
    buffer->aborted = false;
    buffer->lostBefore = 0;
    buffer->failed = false;
    if (failed_)
        giveBackFailed(std::move(buffer));
    else
        pending_.push_back(std::move(buffer));
}

template <class Copy>
qint64 QtBufferQueue::transfer(qint64 bytes, Copy copy)
{
    std::lock_guard lock(mutex_);
    qint64 moved = 0;
    while (moved < bytes && !pending_.empty()) {
        SoundBuffer& front = *pending_.front();
        char* block = reinterpret_cast<char*>(front.samples.data());
        const std::size_t size = front.samples.size() * sizeof(int16_t);
        const std::size_t step = std::min<std::size_t>(size - frontBytes_, std::size_t(bytes - moved));
        copy(block + frontBytes_, moved, step);
        frontBytes_ += step;
        moved += qint64(step);
        front.done = frontBytes_ / sizeof(int16_t);
        if (frontBytes_ == size)
            finishFront();
    }
    return moved;
}

void QtBufferQueue::fill(const char* data, qint64 bytes)
{
    const qint64 stored = transfer(bytes, [this, data](char* block, qint64 at, std::size_t step) {
        // The first bytes of a buffer carry the count of what was lost since the previous one.
        if (frontBytes_ == 0) {
            pending_.front()->lostBefore = lostSamples_;
            lostSamples_ = 0;
        }
        std::memcpy(block, data + at, step);
    });
    lose(bytes - stored);
}

void QtBufferQueue::lose(qint64 bytes)
{
    std::lock_guard lock(mutex_);
    lostSamples_ += std::size_t(bytes) / sizeof(int16_t);
}

qint64 QtBufferQueue::drain(char* data, qint64 bytes)
{
    return transfer(bytes, [data](char* block, qint64 at, std::size_t step) { std::memcpy(data + at, block, step); });
}

qint64 QtBufferQueue::queuedBytes() const
{
    std::lock_guard lock(mutex_);
    qint64 bytes = -qint64(frontBytes_);
    for (const auto& buffer : pending_)
        bytes += qint64(buffer->samples.size() * sizeof(int16_t));
    return std::max<qint64>(bytes, 0);
}

void QtBufferQueue::abortAll()
{
    std::lock_guard lock(mutex_);
    while (!pending_.empty()) {
        pending_.front()->aborted = true;
        finishFront();
    }
}

void QtBufferQueue::fail()
{
    std::lock_guard lock(mutex_);
    if (closed_ || failed_)
        return;
    failed_ = true;
    frontBytes_ = 0;
    while (!pending_.empty()) {
        giveBackFailed(std::move(pending_.front()));
        pending_.pop_front();
    }
}

void QtBufferQueue::giveBackFailed(std::unique_ptr<SoundBuffer> buffer)
{
    buffer->markFailed();
    finish(std::move(buffer));
}

void QtBufferQueue::close()
{
    std::lock_guard lock(mutex_);
    closed_ = true;
    pending_.clear();
    finished_.clear();
    handler_ = nullptr;
}

void QtBufferQueue::finishFront()
{
    std::unique_ptr<SoundBuffer> front = std::move(pending_.front());
    pending_.pop_front();
    frontBytes_ = 0;
    finish(std::move(front));
}

void QtBufferQueue::finish(std::unique_ptr<SoundBuffer> buffer)
{
    finished_.push_back(std::move(buffer));
    // The event holds only a weak reference: a stream closed meanwhile is not kept alive by it.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [queue = weak_from_this()] {
            if (const auto self = queue.lock())
                self->handOut();
        },
        Qt::QueuedConnection);
}

void QtBufferQueue::handOut()
{
    std::unique_ptr<SoundBuffer> buffer;
    SoundStream::DoneHandler handler;
    {
        std::lock_guard lock(mutex_);
        if (closed_ || finished_.empty())
            return;
        buffer = std::move(finished_.front());
        finished_.pop_front();
        handler = handler_;
    }
    // Without the lock: the handler queues buffers again, and may close the stream.
    if (handler)
        handler(std::move(buffer));
}
