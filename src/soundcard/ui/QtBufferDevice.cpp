#include "soundcard/ui/QtBufferDevice.h"

#include "soundcard/ui/QtBufferQueue.h"

QtBufferDevice::QtBufferDevice(std::shared_ptr<QtBufferQueue> queue, QObject* parent)
    : QIODevice(parent), queue_(std::move(queue))
{
}

qint64 QtBufferDevice::bytesAvailable() const
{
    return queue_->queuedBytes() + QIODevice::bytesAvailable();
}

qint64 QtBufferDevice::readData(char* data, qint64 maxSize)
{
    return queue_->drain(data, maxSize);
}

qint64 QtBufferDevice::writeData(const char* data, qint64 maxSize)
{
    queue_->fill(data, maxSize);
    return maxSize;
}
