#include "WavConversion.h"

#include <optional>

#include "AudioDecoder.h"
#include "ConversionError.h"
#include "LocalInput.h"
#include "StereoResampler.h"
#include "WavFileWriter.h"

int convertToWav(const std::string& input, const std::filesystem::path& output)
{
    LocalInput source;
    if (const int error = source.open(input); error != ConversionError::None)
        return error;
    AudioDecoder decoder;
    if (const int error = decoder.open(*source.context()); error != ConversionError::None)
        return error;

    // The output is made for the first decoded frame: the stream's header may announce another rate
    // or channel count, and a stream that changes its rate later is resampled to its first one.
    std::optional<StereoResampler> resampler;
    std::optional<WavFileWriter> writer;
    bool writeFailed = false;
    const auto store = [&](const StereoResampler::Samples& samples) {
        // A frame the resampler cannot take is dropped like a damaged packet; only the file can fail the run.
        if (samples && !writer->write(*samples))
            writeFailed = true;
        return !writeFailed;
    };
    const auto sink = [&](const AVFrame& frame) {
        if (!writer) {
            if (frame.sample_rate <= 0)
                return true;
            resampler.emplace(frame.sample_rate, frame.ch_layout.nb_channels);
            writer.emplace(output, resampler->outputChannels(), uint32_t(frame.sample_rate));
            if (!writer->isOpen()) {
                writeFailed = true;
                return false;
            }
        }
        return store(resampler->convert(frame));
    };

    const PacketPtr packet(av_packet_alloc());
    if (!packet)
        return ConversionError::NothingToRead;
    while (source.read(*packet)) {
        const bool onStream = packet->stream_index == decoder.streamIndex();
        const bool going = !onStream || decoder.decode(packet.get(), sink);
        av_packet_unref(packet.get());
        if (!going)
            break;
    }
    if (!writeFailed && decoder.decode(nullptr, sink) && writer)
        store(resampler->flush());

    if (writeFailed)
        return ConversionError::CannotWrite;
    if (!writer || writer->frames() == 0)
        return ConversionError::NothingToRead;
    return writer->commit() ? ConversionError::None : ConversionError::CannotWrite;
}
