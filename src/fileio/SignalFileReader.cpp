#include "fileio/SignalFileReader.h"

#include <string>
#include <utility>

#include "fileio/BinFile.h"
#include "fileio/InputFile.h"
#include "fileio/PcmReader.h"

namespace {

constexpr uint64_t EegHeaderBytes = 256;
constexpr uint64_t EegRateOffset = 202;

}  // namespace

FileReadResult readSignalFile(const std::filesystem::path& path, const AskSampleRate& askRate)
{
    const std::string& name = path.native();
    const std::string ending = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
    if (ending == ".BIN" || ending == ".bin")
        return readBinFile(path);
    if (ending == ".EEG" || ending == ".eeg")
        return readEegFile(path);
    return readRawFile(path, askRate);
}

FileReadResult readEegFile(const std::filesystem::path& path)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {FileReadError::CannotOpen, {}};
    int16_t rate = 0;
    if (file->size() < EegHeaderBytes || !file->readAt(EegRateOffset, &rate, sizeof rate))
        return invalidFile(RefusalReason::ShortHeader);
    if (rate <= 0)
        return unusableRate(rate);
    return readInt16FileSignal(*file, EegHeaderBytes, (file->size() - EegHeaderBytes) / 2, rate);
}

std::optional<FileReadResult> askUsableRate(const AskSampleRate& askRate, long double& rate)
{
    const std::optional<long double> answer = askRate();
    if (!answer)
        return FileReadResult{FileReadError::Cancelled, {}};
    if (!isUsableSampleRate(*answer))
        return unusableRate(*answer);
    rate = *answer;
    return std::nullopt;
}

FileReadResult readRawFile(const std::filesystem::path& path, const AskSampleRate& askRate)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {FileReadError::CannotOpen, {}};
    const uint64_t count = file->size() / 2;
    if (count == 0)
        return invalidFile(RefusalReason::NoSamples);
    long double rate = 0;
    if (auto refused = askUsableRate(askRate, rate))
        return std::move(*refused);
    return readInt16FileSignal(*file, 0, count, rate);
}
