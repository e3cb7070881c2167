#pragma once
// The data end that Qt's audio objects use.
#include <QIODevice>
#include <memory>

class QtBufferQueue;

// An input source writes recorded bytes into it, an output sink reads the bytes to play from it; both go to
// or come from the queued buffers.
class QtBufferDevice : public QIODevice {
    Q_OBJECT
public:
    explicit QtBufferDevice(std::shared_ptr<QtBufferQueue> queue, QObject* parent = nullptr);

    // Tells a sink that ran dry that there is data to play again.
    void announceData() { emit readyRead(); }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    std::shared_ptr<QtBufferQueue> queue_;
};
