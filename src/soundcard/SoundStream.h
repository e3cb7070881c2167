#pragma once
// An opened input or output device.
#include <functional>
#include <memory>

#include "soundcard/PcmFormat.h"
#include "soundcard/SoundBuffer.h"

// Buffers are queued in order and come back in the same order through the done handler, which always runs
// later on the user-interface thread, never inside a call to the stream; nothing here waits for the owner.
// A device that stops working gives back, after the buffers it finished, every buffer marked failed
// (SoundBuffer::failed). Destroying the stream closes it.
class SoundStream {
public:
    using DoneHandler = std::function<void(std::unique_ptr<SoundBuffer>)>;

    virtual ~SoundStream() = default;

    virtual PcmFormat format() const = 0;
    virtual SoundDirection direction() const = 0;
    // Registered before the first buffer is queued. The handler may queue the buffer again, reset, or
    // destroy the stream.
    virtual void setDoneHandler(DoneHandler handler) = 0;
    // Input: a buffer to be filled; output: samples to be played. The sample count should be a whole
    // number of frames. Ignored after close.
    virtual void queue(std::unique_ptr<SoundBuffer> buffer) = 0;
    // Begins recording or playing the queued buffers; buffers queued later join in.
    virtual void start() = 0;
    // Stops the device and gives every queued buffer back as done, marked aborted. start() may follow.
    virtual void reset() = 0;
    // Output: `played` runs once every sample queued so far has sounded, later, on the user-interface
    // thread; the owner may then reset or close the stream without cutting the end off. A device that
    // holds no sound beyond the buffers it handed back (an input, a test's device) calls it at once.
    virtual void whenPlayed(std::function<void()> played) { played(); }
    // Releases the device. Buffers still queued are freed and notifications not yet delivered are dropped,
    // so the owner hears nothing more from the stream.
    virtual void close() = 0;
};
