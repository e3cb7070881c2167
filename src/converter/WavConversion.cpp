#include "WavConversion.h"

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
    const int rate = decoder.codec().sample_rate;
    if (rate <= 0)
        return ConversionError::NothingToRead;

    StereoResampler resampler(rate, decoder.codec().ch_layout.nb_channels);
    WavFileWriter writer(output, resampler.outputChannels(), uint32_t(rate));
    if (!writer.isOpen())
        return ConversionError::CannotWrite;
    bool writeFailed = false;
    const auto store = [&](const StereoResampler::Samples& samples) {
        // A frame the resampler cannot take is dropped like a damaged packet; only the file can fail the run.
        if (samples && !writer.write(*samples))
            writeFailed = true;
        return !writeFailed;
    };
    const auto sink = [&](const AVFrame& frame) { return store(resampler.convert(frame)); };

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
    if (!writeFailed && decoder.decode(nullptr, sink))
        store(resampler.flush());

    if (writeFailed)
        return ConversionError::CannotWrite;
    if (writer.frames() == 0)
        return ConversionError::NothingToRead;
    return writer.commit() ? ConversionError::None : ConversionError::CannotWrite;
}
