#include "tree/WindowExport.h"

#include <new>
#include <set>

#include "base/NoMoreMemory.h"
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
        manifest.writeText(section, "Title", window->title());
        manifest.writeInt(section, "Type", window->kind());
        manifest.writeText(section, "FileName", window->fileName());
        if (const marluneMDIChild* signalWindow = signalWindowOf(window)) {
            const Signal& signal = *signalWindow->signal();
            manifest.writeExtended(section, "SampleRate", signal.sampleRate());
            manifest.writeExtended(section, "XOffset", signal.xOffset());
            manifest.writeLong(section, "Count", long(signal.count()));
            if (!writeBinFile(folder / (base + ".bin"), signal) || !exportAscii(folder / (base + ".txt"), signal))
                status = 1;
        } else if (SignalKind::is3D(window->kind())) {
            const auto& threeD = static_cast<const marlune3DChild&>(*window);
            if (!Export3D::writeMatrix(threeD.data(), folder / (base + ".txt"), threeD.display.xLabel, threeD.display.yLabel))
                status = 1;
        }
        if (const std::optional<long double> reading = window->reading())
            manifest.writeExtended(section, "Value", *reading);
        if (!writePicture(*window, folder / (base + ".png")))
            status = 1;
    }
    if (!manifest.flush())
        status = 1;
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
