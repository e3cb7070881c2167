#include "StereoResampler.h"

#include <algorithm>

StereoResampler::StereoResampler(int outputRate, int inputChannels) : outputRate_(outputRate)
{
    av_channel_layout_default(&outputLayout_, std::clamp(inputChannels, 1, 2));
}

StereoResampler::~StereoResampler()
{
    av_channel_layout_uninit(&outputLayout_);
    av_channel_layout_uninit(&inputLayout_);
}

StereoResampler::Samples StereoResampler::convert(const AVFrame& frame)
{
    buffer_.clear();
    if (!sameInput(frame)) {
        // What the old configuration still holds belongs before the new samples.
        if (swr_ && !run(nullptr, 0))
            return std::nullopt;
        if (!configureFor(frame))
            return std::nullopt;
    }
    if (!run(frame.extended_data, frame.nb_samples))
        return std::nullopt;
    return std::span<const int16_t>(buffer_);
}

StereoResampler::Samples StereoResampler::flush()
{
    buffer_.clear();
    if (swr_ && !run(nullptr, 0))
        return std::nullopt;
    return std::span<const int16_t>(buffer_);
}

bool StereoResampler::sameInput(const AVFrame& frame) const
{
    return swr_ && frame.format == inputFormat_ && frame.sample_rate == inputRate_ &&
           frame.ch_layout.nb_channels == inputLayout_.nb_channels &&
           (!mixedByPosition(frame.ch_layout) || av_channel_layout_compare(&frame.ch_layout, &inputLayout_) == 0);
}

bool StereoResampler::configureFor(const AVFrame& frame)
{
    av_channel_layout_uninit(&inputLayout_);
    // Positions steer only the mix-down of more than two channels: one or two channels are labelled as the
    // output is, so they pass as they are whatever the stream names them (a mono "front left", centre + LFE).
    if (!mixedByPosition(frame.ch_layout))
        av_channel_layout_default(&inputLayout_, frame.ch_layout.nb_channels);
    else if (av_channel_layout_copy(&inputLayout_, &frame.ch_layout) < 0)
        return false;
    inputFormat_ = frame.format;
    inputRate_ = frame.sample_rate;
    SwrContext* raw = swr_.release();
    const bool ok = swr_alloc_set_opts2(&raw, &outputLayout_, AV_SAMPLE_FMT_S16, outputRate_, &inputLayout_,
                                        AVSampleFormat(inputFormat_), inputRate_, 0, nullptr) >= 0 &&
                    swr_init(raw) >= 0;
    swr_.reset(raw);
    if (!ok)
        swr_.reset();
    return ok;
}

bool StereoResampler::mixedByPosition(const AVChannelLayout& layout)
{
    // A stream that names no positions is mixed down by the usual ones for its count.
    return layout.nb_channels > 2 && layout.order != AV_CHANNEL_ORDER_UNSPEC;
}

bool StereoResampler::run(const uint8_t* const* input, int inputFrames)
{
    const int room = swr_get_out_samples(swr_.get(), inputFrames);
    if (room < 0)
        return false;
    const std::size_t used = buffer_.size();
    buffer_.resize(used + std::size_t(room) * std::size_t(outputChannels()));
    auto* out = reinterpret_cast<uint8_t*>(buffer_.data() + used);
    const int frames = swr_convert(swr_.get(), &out, room, const_cast<const uint8_t**>(input), inputFrames);
    if (frames < 0)
        return false;
    buffer_.resize(used + std::size_t(frames) * std::size_t(outputChannels()));
    return true;
}
