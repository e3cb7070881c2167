#include "fileio/SignalFileWriter.h"

#include "fileio/BinFile.h"
#include "fileio/FileNameRules.h"
#include "fileio/WavWriter.h"

bool writeSignalFile(const std::filesystem::path& path, const Signal& signal)
{
    switch (saveFormatFor(path)) {
    case SaveFormat::Wav:
        return writeWavFile(path, signal);
    case SaveFormat::Bin:
        return writeBinFile(path, signal);
    case SaveFormat::None:
        break;
    }
    return false;
}
