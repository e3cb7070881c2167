#include "fileio/FileReadResult.h"

#include <cmath>

std::string_view fileReadErrorMessage(FileReadError error)
{
    switch (error) {
    case FileReadError::WavChannels:
        return "Error reading WAV file!\nOnly mono and stereo WAV files are supported.";
    case FileReadError::WavSampleSize:
        return "Error reading WAV file!\nOnly 8- and 16-bit WAV formats are supported.";
    case FileReadError::WavOther:
        return "Error reading WAV file!";
    case FileReadError::OutOfMemory:
        return "No more memory !!!";
    case FileReadError::None:
    case FileReadError::CannotOpen:
    case FileReadError::NotPcm:
    case FileReadError::Invalid:
    case FileReadError::Cancelled:
        break;
    }
    return {};
}

bool isUsableSampleRate(long double rate)
{
    // The views and the ticks work in double precision: both the rate and the sample spacing must be finite there.
    const double r = double(rate);
    return rate > 0 && std::isfinite(r) && r > 0 && std::isfinite(1.0 / r);
}
