#include "LocalInput.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <sstream>
#include <string_view>

#include "ConversionError.h"

extern "C" {
#include <libavutil/mem.h>
}

namespace {

// The largest single block the library may take for a file smaller than this.
constexpr uintmax_t SmallestBlockLimit = uintmax_t(64) << 20;

// Demuxers whose files name other files or network sources: playlists, concatenation lists,
// session descriptions and numbered picture series.
const std::set<std::string_view> Refused = {"concat", "dash", "hls", "image2", "imf",
                                            "rtp",    "rtsp", "sap", "sdp",    "webm_dash_manifest"};

// Every demuxer of the library except the refused ones, as the comma list the "format_whitelist" option takes.
std::string allowedDemuxers()
{
    std::string list;
    void* state = nullptr;
    while (const AVInputFormat* format = av_demuxer_iterate(&state)) {
        bool refused = false;
        std::istringstream names(format->name);
        for (std::string name; std::getline(names, name, ',');)
            refused = refused || Refused.contains(name);
        if (!refused)
            list += (list.empty() ? "" : ",") + std::string(format->name);
    }
    return list;
}

}  // namespace

int LocalInput::open(const std::string& path)
{
    // The "file:" prefix keeps a name with a colon from being read as a protocol.
    std::error_code error;
    url_ = "file:" + std::filesystem::absolute(path, error).string();
    // A header may claim gigabytes in a few bytes (a tag of 4 GB in an 80-byte WAV); the library would
    // allocate and clear them. No single block may be larger than the file, or 64 MiB for a small one.
    const uintmax_t size = std::filesystem::file_size(path, error);
    av_max_alloc(std::size_t(std::max(SmallestBlockLimit, error ? 0 : size)));
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw)
        return ConversionError::CannotOpen;
    defaultOpen_ = raw->io_open;
    raw->io_open = &LocalInput::openOnlyTheInput;
    raw->opaque = this;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", allowedDemuxers().c_str(), 0);
    const int opened = avformat_open_input(&raw, url_.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return ConversionError::CannotOpen;  // avformat_open_input frees the context on failure
    context_.reset(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0)
        return ConversionError::NothingToRead;
    if (raw->nb_streams == 0)
        return ConversionError::NoStream;
    return ConversionError::None;
}

int LocalInput::openOnlyTheInput(AVFormatContext* context, AVIOContext** io, const char* url, int flags,
                                 AVDictionary** options)
{
    // Nested demuxers that do not pass our context on get no opaque pointer and are refused as well.
    const auto* self = static_cast<const LocalInput*>(context->opaque);
    if (!self || !url || self->url_ != url)
        return AVERROR(EPERM);
    return self->defaultOpen_(context, io, url, flags, options);
}
