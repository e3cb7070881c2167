#include "tree/WindowExport.h"

#include <new>
#include <set>

#include "base/FormatText.h"
#include "base/NoMoreMemory.h"
#include "base/ReplacingFile.h"
#include "base/UiServices.h"
#include "fileio/AsciiExport.h"
#include "fileio/BinFile.h"
#include "fileio/InputFile.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceLoader.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/Export3D.h"

namespace {
constexpr const char* CouldNotWrite = "Could not write %s.";

// Every file's windows, with the tool applied to each of them when there is one.
int openFiles(marluneMDIClient& client, const ExportSources& sources)
{
    int status = 0;
    for (const std::string& file : sources.files) {
        const std::set<marluneChild*> before = [&] {
            const auto all = client.windows();
            return std::set<marluneChild*>(all.begin(), all.end());
        }();
        // The open routine skips a file it cannot open without a word; a run says which it was.
        if (!InputFile::open(file)) {
            client.ui().messageBox("Cannot open the file " + file + ".");
            status = 1;
            continue;
        }
        if (!client.openFiles({file})) {
            status = 1;
            continue;
        }
        if (sources.tool.empty())
            continue;
        for (marluneChild* window : client.windows())
            if (!before.contains(window) && window->isRoot()) {
                client.setActiveChild(window);
                WorkspaceLoader(client, sources.tool).applyTool(window);
            }
    }
    return status;
}

// The files of one window as they are written; a failure is reported once per file.
class WrittenFiles {
public:
    explicit WrittenFiles(UiServices& ui) : ui_(ui) {}

    template <typename Writer>
    void write(const std::filesystem::path& file, Writer&& writer)
    {
        if (!complete_)
            return;
        if (writer(file)) {
            written_.push_back(file);
            return;
        }
        complete_ = false;
        ui_.messageBox(formatText(CouldNotWrite, file.string().c_str()));
    }
    bool complete() const { return complete_; }
    void removeAll() const
    {
        std::error_code error;
        for (const std::filesystem::path& file : written_)
            std::filesystem::remove(file, error);
    }

private:
    UiServices& ui_;
    std::vector<std::filesystem::path> written_;
    bool complete_ = true;
};

bool writeEmptyFile(const std::filesystem::path& file)
{
    ReplacingFile empty(file);
    return empty.commit();
}

void describe(TIniHelper& manifest, const std::string& section, const marluneChild& window)
{
    manifest.writeText(section, "Title", window.title());
    manifest.writeInt(section, "Type", window.kind());
    manifest.writeText(section, "FileName", window.fileName());
    if (window.invalid())
        manifest.writeInt(section, "Invalid", 1);
    if (const marluneMDIChild* signalWindow = signalWindowOf(&window)) {
        const Signal& signal = *signalWindow->signal();
        manifest.writeExtended(section, "SampleRate", signal.sampleRate());
        manifest.writeExtended(section, "XOffset", signal.xOffset());
        manifest.writeLong(section, "Count", long(signal.count()));
    }
    if (const std::optional<long double> reading = window.reading())
        manifest.writeExtended(section, "Value", *reading);
}

int loadWorkspace(marluneMDIClient& client, const ExportSources& sources)
{
    if (!InputFile::open(sources.workspace)) {
        client.ui().messageBox("Cannot open the workspace " + sources.workspace + ".");
        return 1;
    }
    std::vector<std::string> arguments{"marlune32", sources.workspace};
    arguments.insert(arguments.end(), sources.files.begin(), sources.files.end());
    WorkspaceCommands& workspaces = client.workspaces();
    workspaces.setArguments(std::move(arguments));
    return workspaces.load(sources.workspace).empty() ? 0 : 1;
}
int exportAll(marluneMDIClient& client, const std::filesystem::path& folder, const ExportSources& sources,
              const PictureWriter& writePicture)
{
    int status = sources.workspace.empty() ? openFiles(client, sources) : loadWorkspace(client, sources);

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    TIniHelper manifest;
    manifest.create((folder / "manifest.ini").string(), true);
    for (marluneChild* window : client.windows()) {
        const std::string base = "window-" + std::to_string(window->index() + 1);
        const std::string section = "Window_" + std::to_string(window->index() + 1);
        WrittenFiles files(client.ui());
        if (const marluneMDIChild* signalWindow = signalWindowOf(window)) {
            const Signal& signal = *signalWindow->signal();
            files.write(folder / (base + ".bin"), [&](const auto& file) { return writeBinFile(file, signal); });
            files.write(folder / (base + ".txt"), [&](const auto& file) { return exportAscii(file, signal); });
        } else if (const marlune3DChild* threeDWindow = threeDWindowOf(window)) {
            const marlune3DChild& threeD = *threeDWindow;
            // An invalid result has no rows to show: its matrix file holds none.
            files.write(folder / (base + ".txt"), [&](const auto& file) {
                return window->invalid() ? writeEmptyFile(file)
                                         : Export3D::writeMatrix(threeD.data(), file, threeD.display.xLabel,
                                                                 threeD.display.yLabel);
            });
        }
        files.write(folder / (base + ".png"), [&](const auto& file) { return writePicture(*window, file); });
        // The manifest describes only windows whose every file is there.
        if (!files.complete()) {
            files.removeAll();
            status = 1;
            continue;
        }
        describe(manifest, section, *window);
    }
    if (!manifest.flush()) {
        client.ui().messageBox(formatText(CouldNotWrite, manifest.fileName().c_str()));
        status = 1;
    }
    return status;
}
}  // namespace

int exportWindows(marluneMDIClient& client, const std::filesystem::path& folder, const ExportSources& sources,
                  const PictureWriter& writePicture)
{
    // A run has no person to go on with: whatever could not be allocated ends it with the message.
    try {
        return exportAll(client, folder, sources, writePicture);
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(client.ui());
        return 1;
    }
}
