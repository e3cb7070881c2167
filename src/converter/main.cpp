#include <cstdio>

extern "C" {
#include <libavutil/log.h>
}

#include "ConversionError.h"
#include "WavConversion.h"

// Sonvert INPUT OUTPUT: one conversion, silent on success. A failure is reported only by the line
// "Error: %i"; the exit code is always 0, and the caller looks for the output file instead.
int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_QUIET);
    const int result = argc == 3 ? convertToWav(argv[1], argv[2]) : ConversionError::CannotOpen;
    if (result != ConversionError::None)
        std::printf("Error: %i\n", result);
    return 0;
}
