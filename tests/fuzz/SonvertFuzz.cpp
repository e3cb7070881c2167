#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

extern "C" {
#include <libavutil/log.h>
}

#include "ConversionError.h"
#include "FuzzFile.h"
#include "WavConversion.h"

// The converter's whole path on a file made of the input: the demuxer, the decoder of the first
// audio stream, the resampler and the WAV writer. Output beyond 16 MiB fails the write (a small file
// may well claim hours of sound), which the converter must report like a full disk.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const FuzzFile input(".media");
    static const FuzzFile output(".wav");
    static const bool capped = [] {
        // Quiet as the converter itself: the library's complaints would fill the log past the size limit
        // below, which would then cut off the run's figures.
        av_log_set_level(AV_LOG_QUIET);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 << 20, 16 << 20};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }();
    if (!capped)
        std::abort();
    const int result = convertToWav(input.write(data, size).string(), output.path());
    std::error_code error;
    const bool made = std::filesystem::exists(output.path(), error);
    // A file exists exactly when the conversion succeeded.
    if (made != (result == ConversionError::None))
        std::abort();
    std::filesystem::remove(output.path(), error);
    return 0;
}
