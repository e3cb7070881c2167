#include "fileio/WavReader.h"

#include <limits>
#include <new>

#include "fileio/InputFile.h"
#include "fileio/PcmReader.h"
#include "fileio/WavLayout.h"
#include "signal/SignalKind.h"

FileReadResult readWavFile(const std::filesystem::path& path)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {FileReadError::CannotOpen, {}};
    WavLayout layout;
    if (const FileReadError error = readWavLayout(*file, layout); error != FileReadError::None)
        return {error, {}};

    const uint64_t frames = layout.dataBytes / layout.format.frameBytes();
    if (frames == 0 || frames > std::numeric_limits<uint32_t>::max())
        return {FileReadError::WavOther, {}};
    try {
        FileReadResult result;
        result.signals = readPcmSignals(*file, layout.dataOffset, uint32_t(frames), layout.format,
                                        SignalKind::WavChannel, layout.sampleRate);
        if (result.signals.empty())
            return {FileReadError::WavOther, {}};
        result.sampleCoding = layout.format.description();
        return result;
    } catch (const std::bad_alloc&) {
        return {FileReadError::WavOther, {}};
    }
}
