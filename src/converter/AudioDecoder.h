#pragma once
// The decoder of the first audio stream of an input; every other stream is discarded unread.
#include <functional>

#include "AvPointers.h"

class AudioDecoder {
public:
    using FrameSink = std::function<bool(const AVFrame&)>;

    // A ConversionError code: None, NoAudio or NoDecoder.
    int open(AVFormatContext& input);

    int streamIndex() const { return streamIndex_; }
    const AVCodecContext& codec() const { return *codec_; }
    // Decodes one packet of the stream (null flushes the decoder) and hands every frame to `sink`;
    // false when the sink refused a frame. A damaged packet is skipped, as players do.
    bool decode(const AVPacket* packet, const FrameSink& sink);

private:
    CodecPtr codec_;
    FramePtr frame_;
    int streamIndex_ = -1;
};
