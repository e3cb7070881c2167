#include "fileio/FileNameRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

std::string lowerExtension(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

}  // namespace

OpenRoute openRouteFor(const std::filesystem::path& path)
{
    const std::string ext = lowerExtension(path);
    if (ext == ".sa3")
        return OpenRoute::Sa3;
    if (ext == ".wav")
        return OpenRoute::Wav;
    // The signal-file reader takes every other ending as raw samples; ".raw" says so outright.
    if (ext == ".bin" || ext == ".eeg" || ext == ".raw")
        return OpenRoute::SignalFile;
    return OpenRoute::Converter;
}

SaveAsDialogChoice saveAsDialogChoice(long double sampleRate)
{
    if (sampleRate == std::trunc(sampleRate))
        return {" WAVE format (*.wav)|*.wav| Marlune signal (*.bin)|*.bin", "wav"};
    return {"Marlune signal (*.bin)|*.bin", "bin"};
}

SaveFormat saveFormatFor(const std::filesystem::path& path)
{
    const std::string ext = lowerExtension(path);
    if (ext == ".wav")
        return SaveFormat::Wav;
    if (ext == ".bin")
        return SaveFormat::Bin;
    return SaveFormat::None;
}
