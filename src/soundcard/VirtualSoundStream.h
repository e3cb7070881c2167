#pragma once
// A stream of VirtualSoundDevices.
#include <deque>

#include "soundcard/SoundStream.h"

class VirtualSoundDevices;

// Besides the stream operations it has the device's side, which the test drives: each call completes (or
// loses) the front queued buffer.
class VirtualSoundStream : public SoundStream {
public:
    VirtualSoundStream(VirtualSoundDevices& devices, SoundDirection direction, PcmFormat format);
    ~VirtualSoundStream() override;
    VirtualSoundStream(const VirtualSoundStream&) = delete;
    VirtualSoundStream& operator=(const VirtualSoundStream&) = delete;

    // Completes the front buffer (input: filled from the prepared samples; output: appended to what was
    // played) and hands out its notification together with every one delayed before it. False when the
    // stream is not started or has nothing queued.
    bool deliver();
    // Completes the front buffer like deliver() but its notification waits for the next deliver() or dispatch.
    bool delay();
    // Loses one buffer's worth of sound. Input: as many prepared samples as the front buffer holds are
    // skipped, as when the device had no buffer in time; the buffer stays queued and empty. Output: the
    // front buffer is played as silence and handed back like deliver().
    bool drop();
    // The device stops working, as when its sound server goes away: every queued buffer is posted back
    // failed, and so is every buffer queued later.
    void fail();

    std::size_t queued() const { return queue_.size(); }
    bool started() const { return started_; }
    bool closed() const { return closed_; }
    bool failed() const { return failed_; }

    PcmFormat format() const override { return format_; }
    SoundDirection direction() const override { return direction_; }
    void setDoneHandler(DoneHandler handler) override { handler_ = std::move(handler); }
    void queue(std::unique_ptr<SoundBuffer> buffer) override;
    void start() override;
    void reset() override;
    void close() override;

private:
    friend class VirtualSoundDevices;

    // Posts the buffer back, aborted and failed.
    void giveBackFailed(std::unique_ptr<SoundBuffer> buffer);
    // The device fills or plays the front buffer (`silent`: an output buffer is lost) and posts it back.
    bool complete(bool silent);
    // Dispatches the notifications when a buffer was completed; answers `completed`.
    bool handOut(bool completed);

    VirtualSoundDevices* devices_;
    SoundDirection direction_;
    PcmFormat format_;
    DoneHandler handler_;
    std::deque<std::unique_ptr<SoundBuffer>> queue_;
    bool started_ = false;
    bool closed_ = false;
    bool failed_ = false;
};
