#pragma once
// The demuxer of one local file.
#include <string>

#include "AvPointers.h"

// Only that file is read: no network protocol, and no playlist, concatenation list or reference inside it
// may open anything else.
class LocalInput {
public:
    LocalInput() = default;
    // The library calls back with a pointer to this object, so it stays where it was opened.
    LocalInput(const LocalInput&) = delete;
    LocalInput& operator=(const LocalInput&) = delete;

    // A ConversionError code: None, CannotOpen, NothingToRead or NoStream.
    int open(const std::string& path);

    AVFormatContext* context() const { return context_.get(); }
    // The next packet of any stream; false at the end of the file or on a read error.
    bool read(AVPacket& packet) const { return av_read_frame(context_.get(), &packet) >= 0; }

private:
    static int openOnlyTheInput(AVFormatContext* context, AVIOContext** io, const char* url, int flags,
                                AVDictionary** options);

    FormatPtr context_;
    std::string url_;
    decltype(AVFormatContext::io_open) defaultOpen_ = nullptr;
};
