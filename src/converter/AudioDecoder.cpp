#include "AudioDecoder.h"

#include "ConversionError.h"

int AudioDecoder::open(AVFormatContext& input)
{
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        AVStream* stream = input.streams[i];
        if (streamIndex_ < 0 && stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            streamIndex_ = int(i);
        else
            stream->discard = AVDISCARD_ALL;
    }
    if (streamIndex_ < 0)
        return ConversionError::NoAudio;

    const AVCodecParameters* parameters = input.streams[streamIndex_]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (!decoder)
        return ConversionError::NoDecoder;
    codec_.reset(avcodec_alloc_context3(decoder));
    frame_.reset(av_frame_alloc());
    if (!codec_ || !frame_ || avcodec_parameters_to_context(codec_.get(), parameters) < 0 ||
        avcodec_open2(codec_.get(), decoder, nullptr) < 0)
        return ConversionError::NoDecoder;
    return ConversionError::None;
}

bool AudioDecoder::decode(const AVPacket* packet, const FrameSink& sink)
{
    if (avcodec_send_packet(codec_.get(), packet) < 0)
        return true;
    while (avcodec_receive_frame(codec_.get(), frame_.get()) >= 0) {
        // The MP3 decoder labels a frame with the rate in force before the frame's own header, so the
        // first frame after a rate change would carry the old rate; the codec context has the right one.
        if (codec_->sample_rate > 0)
            frame_->sample_rate = codec_->sample_rate;
        const bool taken = sink(*frame_);
        av_frame_unref(frame_.get());
        if (!taken)
            return false;
    }
    return true;
}
