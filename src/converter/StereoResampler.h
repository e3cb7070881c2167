#pragma once
// Turns decoded frames into interleaved 16-bit samples at one fixed rate, mono or stereo.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "AvPointers.h"

// One or two channels pass as they are, more are mixed down to two by their positions. Follows a stream
// whose format, rate or layout changes on the way.
class StereoResampler {
public:
    using Samples = std::optional<std::span<const int16_t>>;

    StereoResampler(int outputRate, int inputChannels);
    ~StereoResampler();
    StereoResampler(const StereoResampler&) = delete;
    StereoResampler& operator=(const StereoResampler&) = delete;

    int outputChannels() const { return outputLayout_.nb_channels; }
    // The samples converted so far (some may stay buffered until flush); nothing on failure.
    Samples convert(const AVFrame& frame);
    // What is still buffered.
    Samples flush();

private:
    bool sameInput(const AVFrame& frame) const;
    bool configureFor(const AVFrame& frame);
    // Whether the channel positions of a frame with this layout take part in its conversion.
    static bool mixedByPosition(const AVChannelLayout& layout);
    // Appends the converted samples to buffer_; false on failure.
    bool run(const uint8_t* const* input, int inputFrames);

    SwrPtr swr_;
    AVChannelLayout outputLayout_{};
    AVChannelLayout inputLayout_{};
    int inputFormat_ = AV_SAMPLE_FMT_NONE;
    int inputRate_ = 0;
    int outputRate_;
    std::vector<int16_t> buffer_;
};
