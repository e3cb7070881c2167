#pragma once
// An input recorded through PulseAudio's own client library.
#include <memory>
#include <string>

#include "soundcard/SoundStream.h"

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
class QtBufferQueue;

// For the sources Qt Multimedia does not open (the monitors of the sinks). The library's thread writes into
// the queued buffers, which go back to the user-interface thread as the Qt streams' do; a server that goes
// away fails the stream.
class PulseSoundStream : public SoundStream {
public:
    // Connected to the named source and waiting for start(); null when the server does not answer in time
    // or refuses the source or the format.
    static std::unique_ptr<PulseSoundStream> open(const std::string& source, const PcmFormat& format);
    // Whether a source records in the format: the server converts any valid 16-bit format.
    static bool accepts(const PcmFormat& format);

    explicit PulseSoundStream(const PcmFormat& format);
    ~PulseSoundStream() override;
    PulseSoundStream(const PulseSoundStream&) = delete;
    PulseSoundStream& operator=(const PulseSoundStream&) = delete;

    PcmFormat format() const override { return format_; }
    SoundDirection direction() const override { return SoundDirection::Input; }
    void setDoneHandler(DoneHandler handler) override;
    void queue(std::unique_ptr<SoundBuffer> buffer) override;
    void start() override;
    void reset() override;
    void close() override;

private:
    bool connect(const std::string& source);
    // Under the loop's lock: waits for the loop's signals until `ready` holds, the connection broke or
    // the time ran out; true when ready.
    template <class Ready>
    bool waitFor(Ready ready);
    void cork(bool on);

    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void readable(pa_stream* stream, std::size_t bytes, void* self);

    PcmFormat format_;
    std::shared_ptr<QtBufferQueue> queue_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool timedOut_ = false;  // under the loop's lock
};
