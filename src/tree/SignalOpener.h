#pragma once
// The open routine behind Open, the command line and workspaces.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class Signal;
struct FileFacts;
struct FileReadResult;
class marluneMDIChild;
class marluneMDIClient;

// Reads each file by its extension and makes one window per channel.
class SignalOpener {
public:
    // One entry of the open dialog's filter list: its name and its patterns ("*.a;*.b").
    struct FileType {
        const char* name;
        const char* patterns;
    };
    // Every type the program reads, its own formats first and then the audio the converter decodes.
    static const std::vector<FileType>& fileTypes();
    // "Every file Marlune reads" with all the patterns of fileTypes(), then one entry per type, then
    // all files; in the form of UiServices::openFileDialog.
    static const std::string& openFilter();
    static constexpr const char* NoDecoderMessage =
        "The file could not be open. There is probably no decoder for this type of file in your system.";

    explicit SignalOpener(marluneMDIClient& client) : client_(client) {}

    // The name of the file type of fileTypes() whose patterns hold the file's ending; empty for none.
    static std::string typeNameOf(const std::filesystem::path& path);

    // The window of the last file opened (its first channel); null when none was.
    marluneMDIChild* open(const std::vector<std::string>& names, const std::string& displayName = {});

    // The windows of a read (see makeWindows), or its failure message (a refused file's names the file
    // and the reason); null when there are none.
    marluneMDIChild* windowsFor(FileReadResult result, const std::string& fileName, const char* titleFormat,
                                int firstChannelNumber, std::string typeName = {});

private:
    marluneMDIChild* openOne(const std::filesystem::path& path, const std::string& displayName);
    // Opens the WAV copy the converter program makes of `path`; the windows carry `fileName`.
    marluneMDIChild* openThroughConverter(const std::filesystem::path& path, const std::string& fileName);
    // One window per channel signal, titled by `titleFormat` (window number, file's base name, channel
    // number counted from `firstChannelNumber`); channels after the first record the first as their group head.
    marluneMDIChild* makeWindows(std::vector<std::unique_ptr<Signal>> signals, const std::string& fileName,
                                 const char* titleFormat, int firstChannelNumber, const FileFacts& facts);

    marluneMDIClient& client_;
};
