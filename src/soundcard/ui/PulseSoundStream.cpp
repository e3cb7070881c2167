#include "soundcard/ui/PulseSoundStream.h"

#include <pulse/context.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include "soundcard/ui/QtBufferQueue.h"

namespace {
// A local server answers in milliseconds; one that takes longer is taken for gone.
constexpr pa_usec_t Patience = 3 * PA_USEC_PER_SEC;
// Recorded sound comes over in pieces this long: short beside the shortest window of a recording, long
// enough to cost the library's thread next to nothing.
constexpr pa_usec_t Piece = 20 * PA_USEC_PER_MSEC;

pa_sample_spec sampleFormat(const PcmFormat& format)
{
    return {PA_SAMPLE_S16NE, uint32_t(format.sampleRate), uint8_t(format.channels)};
}

void forget(pa_operation* operation)
{
    if (operation)
        pa_operation_unref(operation);
}
}  // namespace

bool PulseSoundStream::accepts(const PcmFormat& format)
{
    if (format.channels < 1 || format.channels > int(PA_CHANNELS_MAX) || format.sampleRate <= 0)
        return false;
    const pa_sample_spec wanted = sampleFormat(format);
    return pa_sample_spec_valid(&wanted) != 0;
}

std::unique_ptr<PulseSoundStream> PulseSoundStream::open(const std::string& source, const PcmFormat& format)
{
    if (!accepts(format))
        return nullptr;
    auto stream = std::make_unique<PulseSoundStream>(format);
    if (!stream->connect(source))
        return nullptr;
    return stream;
}

PulseSoundStream::PulseSoundStream(const PcmFormat& format)
    : format_(format), queue_(std::make_shared<QtBufferQueue>())
{
}

PulseSoundStream::~PulseSoundStream()
{
    close();
}

bool PulseSoundStream::connect(const std::string& source)
{
    loop_ = pa_threaded_mainloop_new();
    if (!loop_ || pa_threaded_mainloop_start(loop_) < 0)
        return false;
    pa_threaded_mainloop_lock(loop_);
    const bool ready = [this, &source] {
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Marlune");
        if (!context_)
            return false;
        pa_context_set_state_callback(context_, contextChanged, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
            !waitFor([this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; }))
            return false;
        const pa_sample_spec wanted = sampleFormat(format_);
        stream_ = pa_stream_new(context_, "Recording", &wanted, nullptr);
        if (!stream_)
            return false;
        pa_stream_set_state_callback(stream_, streamChanged, this);
        pa_stream_set_read_callback(stream_, readable, this);
        pa_buffer_attr attributes;
        attributes.maxlength = attributes.tlength = attributes.prebuf = attributes.minreq = uint32_t(-1);
        attributes.fragsize = uint32_t(pa_usec_to_bytes(Piece, &wanted));
        const auto flags = pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        return pa_stream_connect_record(stream_, source.c_str(), &attributes, flags) == 0 &&
               waitFor([this] { return pa_stream_get_state(stream_) == PA_STREAM_READY; });
    }();
    pa_threaded_mainloop_unlock(loop_);
    return ready;
}

template <class Ready>
bool PulseSoundStream::waitFor(Ready ready)
{
    timedOut_ = false;
    pa_time_event* timer = pa_context_rttime_new(
        context_, pa_rtclock_now() + Patience,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* stream = static_cast<PulseSoundStream*>(self);
            stream->timedOut_ = true;
            pa_threaded_mainloop_signal(stream->loop_, 0);
        },
        this);
    const auto broken = [this] {
        return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) ||
               (stream_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)));
    };
    while (!ready() && !broken() && !timedOut_)
        pa_threaded_mainloop_wait(loop_);
    if (timer)
        pa_threaded_mainloop_get_api(loop_)->time_free(timer);
    return ready();
}

void PulseSoundStream::contextChanged(pa_context* context, void* self)
{
    auto* stream = static_cast<PulseSoundStream*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
        stream->queue_->fail();
    pa_threaded_mainloop_signal(stream->loop_, 0);
}

void PulseSoundStream::streamChanged(pa_stream* recording, void* self)
{
    auto* stream = static_cast<PulseSoundStream*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(recording)))
        stream->queue_->fail();
    pa_threaded_mainloop_signal(stream->loop_, 0);
}

void PulseSoundStream::readable(pa_stream* recording, std::size_t, void* self)
{
    QtBufferQueue& queue = *static_cast<PulseSoundStream*>(self)->queue_;
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(recording, &data, &bytes) == 0 && bytes > 0) {
        // Without data the piece is a hole: sound the server lost before it reached us.
        if (data)
            queue.fill(static_cast<const char*>(data), qint64(bytes));
        else
            queue.lose(qint64(bytes));
        pa_stream_drop(recording);
    }
}

void PulseSoundStream::setDoneHandler(DoneHandler handler)
{
    queue_->setHandler(std::move(handler));
}

void PulseSoundStream::queue(std::unique_ptr<SoundBuffer> buffer)
{
    queue_->queue(std::move(buffer));
}

void PulseSoundStream::cork(bool on)
{
    if (!loop_)
        return;
    pa_threaded_mainloop_lock(loop_);
    if (stream_) {
        forget(pa_stream_cork(stream_, on, nullptr, nullptr));
        // What the server holds already would otherwise begin the next recording.
        if (on)
            forget(pa_stream_flush(stream_, nullptr, nullptr));
    }
    pa_threaded_mainloop_unlock(loop_);
}

void PulseSoundStream::start()
{
    cork(false);
}

void PulseSoundStream::reset()
{
    cork(true);
    queue_->abortAll();
}

void PulseSoundStream::close()
{
    if (loop_) {
        pa_threaded_mainloop_lock(loop_);
        if (stream_) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_read_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
            stream_ = nullptr;
        }
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
    queue_->close();
}
