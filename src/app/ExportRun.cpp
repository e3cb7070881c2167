#include "app/ExportRun.h"

#include <QWidget>
#include <csignal>
#include <iostream>
#include <memory>

#include "app/PaneRegistry.h"
#include "app/marluneApp.h"
#include "base/ui/PngFile.h"
#include "kinds/WindowKindRegistration.h"
#include "settings/ProgramPaths.h"
#include "soundcard/AcquisitionCommands.h"
#include "soundcard/AcquisitionSettings.h"
#include "soundcard/ui/QtSoundDevices.h"
#include "tree/BatchUiServices.h"
#include "tree/WindowExport.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marluneMDIClient.h"

namespace {
ExportSources sourcesOf(const std::vector<std::string>& arguments)
{
    ExportSources sources;
    auto next = arguments.begin();
    if (next != arguments.end() && *next == "--tool" && next + 1 != arguments.end()) {
        sources.tool = next[1];
        next += 2;
    } else if (next != arguments.end() && WorkspaceCommands::extensionOf(*next) == ".mws") {
        sources.workspace = *next++;
    }
    sources.files.assign(next, arguments.end());
    return sources;
}
}  // namespace

int runExport(const std::string& folder, const std::vector<std::string>& arguments)
{
    // A file-size limit is a failed write to report, as a full disk is, not the end of the run.
    std::signal(SIGXFSZ, SIG_IGN);
    BatchUiServices ui(std::cerr);
    marluneMDIClient client(ui, ProgramPaths::forExecutable(marluneApp::executableFolder()));
    client.loadPalettes();
    // Workspaces may hold acquisition windows; they are made, stopped, on the machine's devices.
    QtSoundDevices devices;
    AcquisitionSettings acquisition;
    const AcquisitionCommands acquisitionCommands(client, devices, acquisition);
    registerWindowKinds(client, &devices);
    const PaneRegistry panes;
    const int status = exportWindows(client, folder, sourcesOf(arguments), [&panes](marluneChild& window, const std::filesystem::path& file) {
        const std::unique_ptr<QWidget> pane(panes.make(window));
        if (!pane)
            return false;
        pane->resize(800, 400);
        return writePngFile(pane->grab().toImage(), file);
    });
    // A window left out for want of memory is a window the run could not make.
    return ui.ranOutOfMemory() ? 1 : status;
}
