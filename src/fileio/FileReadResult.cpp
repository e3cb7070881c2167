#include "fileio/FileReadResult.h"

#include <cmath>
#include <utility>

#include "base/FormatText.h"

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

FileReadResult invalidFile(std::string reason)
{
    return {FileReadError::Invalid, {}, std::move(reason)};
}

FileReadResult unusableRate(long double rate)
{
    return invalidFile(formatText("The sample rate %Lg cannot be used.", rate));
}

std::string invalidFileMessage(const std::string& fileName, const std::string& reason)
{
    return formatText("Error reading %s!\n%s", fileName.c_str(), reason.c_str());
}
