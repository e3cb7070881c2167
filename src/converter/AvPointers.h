#pragma once
// Owning pointers for the FFmpeg objects, each freed by its library's own function.
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

struct AvFormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct AvCodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct AvPacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct AvFrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct SwrFreer {
    void operator()(SwrContext* context) const { swr_free(&context); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, AvFormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, AvCodecFreer>;
using PacketPtr = std::unique_ptr<AVPacket, AvPacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, AvFrameFreer>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFreer>;
