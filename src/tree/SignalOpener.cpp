#include "tree/SignalOpener.h"

#include <algorithm>
#include <cctype>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "fileio/FileNameRules.h"
#include "fileio/FileReadResult.h"
#include "fileio/InputFile.h"
#include "fileio/Sa3Reader.h"
#include "fileio/SampleRateForm.h"
#include "fileio/SignalFileReader.h"
#include "fileio/WavReader.h"
#include "tree/ConvertedAudio.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

const std::vector<SignalOpener::FileType>& SignalOpener::fileTypes()
{
    static const std::vector<FileType> types{
        {"Audio for Windows (.WAV)", "*.wav"},
        {"Marlune signal (.BIN)", "*.bin"},
        {"EEG signal (.EEG)", "*.eeg"},
        {"Data log of four channels (.SA3)", "*.sa3"},
        {"Raw 16-bit samples (.RAW)", "*.raw"},
        {"Free Lossless Audio Codec (.FLAC)", "*.flac"},
        {"Ogg Vorbis and Opus (.OGG, .OGA, .OPUS)", "*.ogg;*.oga;*.opus"},
        {"MPEG Audio Layer III (.MP3)", "*.mp3"},
        {"MPEG Audio Layer II (.MP2, .MPA, .MPEG)", "*.mp2;*.mpa;*.mpeg"},
        {"Advanced Audio Coding (.AAC, .M4A)", "*.aac;*.m4a"},
        {"Audio Interchange File Format (.AIF, .AIFC, .AIFF)", "*.aif;*.aifc;*.aiff"},
        {"Sun Microsystems and NeXT audio files (.AU,.SND)", "*.au;*.snd"},
        {"MS Advanced Systems Format (.ASF)", "*.asf"},
        {"MS Windows Media Audio (.WMA)", "*.wma"},
    };
    return types;
}

std::string SignalOpener::typeNameOf(const std::filesystem::path& path)
{
    std::string ending = path.extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    for (const FileType& type : fileTypes())
        if (!ending.empty() && (std::string(";") + type.patterns + ";").find(";*" + ending + ";") != std::string::npos)
            return type.name;
    return {};
}

const std::string& SignalOpener::openFilter()
{
    static const std::string filter = [] {
        std::string every;
        std::string each;
        for (const FileType& type : fileTypes()) {
            every += (every.empty() ? "" : ";") + std::string(type.patterns);
            each += std::string(type.name) + "|" + type.patterns + "|";
        }
        return "Every file Marlune reads|" + every + "|" + each + "Other files types (*.*)|*.*|";
    }();
    return filter;
}

marluneMDIChild* SignalOpener::open(const std::vector<std::string>& names, const std::string& displayName)
{
    WaitCursor wait(client_.ui());
    marluneMDIChild* last = nullptr;
    for (const std::string& name : names)
        if (marluneMDIChild* first = openOne(name, displayName))
            last = first;
    return last;
}

marluneMDIChild* SignalOpener::openOne(const std::filesystem::path& path, const std::string& displayName)
{
    if (!InputFile::open(path))
        return nullptr;
    UiServices& ui = client_.ui();
    const AskSampleRate askRate = [&ui]() -> std::optional<long double> {
        SampleRateForm form;
        if (!ui.runDialog(form))
            return std::nullopt;
        return form.rate;
    };
    const std::string fileName = displayName.empty() ? path.string() : displayName;

    FileReadResult result;
    const char* titleFormat = " %u#%s-%d";
    int firstChannel = 0;
    switch (openRouteFor(path)) {
    case OpenRoute::Sa3:
        result = readSa3File(path, askRate);
        break;
    case OpenRoute::Wav:
        result = readWavFile(path);
        firstChannel = 1;
        break;
    case OpenRoute::SignalFile:
        result = readSignalFile(path, askRate);
        titleFormat = " %u#%s";
        break;
    case OpenRoute::Converter:
        return openThroughConverter(path, fileName);
    }
    if (result.error == FileReadError::NotPcm)
        return openThroughConverter(path, fileName);
    return windowsFor(std::move(result), fileName, titleFormat, firstChannel, typeNameOf(path));
}

marluneMDIChild* SignalOpener::openThroughConverter(const std::filesystem::path& path, const std::string& fileName)
{
    const ConvertedAudio converted(client_.ui(), client_.paths().executableFolder(), path);
    // A cancelled conversion is what the person asked for: no window and no message, even when the
    // converter had finished its file.
    if (converted.cancelled())
        return nullptr;
    const std::filesystem::path wav = converted.wav();
    if (wav.empty()) {
        client_.ui().messageBox(NoDecoderMessage);
        return nullptr;
    }
    // Read as a WAV file directly: the converter's output is never handed to the converter again.
    FileReadResult result = readWavFile(wav);
    if (!result.sampleCoding.empty())
        result.sampleCoding = "decoded to " + result.sampleCoding;
    const std::string typeName = typeNameOf(path);
    return windowsFor(std::move(result), fileName, " %u#%s-%d", 1, typeName.empty() ? "Compressed audio" : typeName);
}

marluneMDIChild* SignalOpener::windowsFor(FileReadResult result, const std::string& fileName,
                                          const char* titleFormat, int firstChannelNumber, std::string typeName)
{
    if (!result.ok()) {
        UiServices& ui = client_.ui();
        if (const auto message = fileReadErrorMessage(result.error); !message.empty())
            ui.messageBox(std::string(message));
        else if (result.error == FileReadError::Invalid)
            ui.messageBox(invalidFileMessage(fileName, result.reason));
        return nullptr;
    }
    const FileFacts facts{std::move(typeName), std::move(result.sampleCoding), result.signals.size()};
    return makeWindows(std::move(result.signals), fileName, titleFormat, firstChannelNumber, facts);
}

marluneMDIChild* SignalOpener::makeWindows(std::vector<std::unique_ptr<Signal>> signals, const std::string& fileName,
                                           const char* titleFormat, int firstChannelNumber, const FileFacts& facts)
{
    const std::string shownName = std::filesystem::path(fileName).filename().string();
    marluneMDIChild* head = nullptr;
    for (std::size_t channel = 0; channel < signals.size(); ++channel) {
        const int32_t kind = signals[channel]->kind();
        auto window = std::make_unique<marluneMDIChild>(client_, kind, std::move(signals[channel]));
        window->setCaption(formatText(titleFormat, client_.nextCreationNumber(), shownName.c_str(),
                                      int(channel) + firstChannelNumber));
        window->setFileName(fileName);
        window->setChannelNumber(int32_t(channel));
        window->setFileFacts(facts);
        window->setMainSignal(head);
        auto* added = client_.addWindow(std::move(window));
        if (!added)
            break;
        if (!head)
            head = added;
    }
    return head;
}
