#include "app/ExportRun.h"

#include <QWidget>
#include <iostream>
#include <memory>

#include "app/PaneRegistry.h"
#include "app/marluneApp.h"
#include "instruments/InstrumentKinds.h"
#include "settings/ProgramPaths.h"
#include "tree/BatchUiServices.h"
#include "tree/WindowExport.h"
#include "tree/marluneMDIClient.h"

int runExport(const std::string& folder, const std::vector<std::string>& files)
{
    InstrumentKinds::addToWindowKinds();
    BatchUiServices ui(std::cerr);
    marluneMDIClient client(ui, ProgramPaths::forExecutable(marluneApp::executableFolder()));
    const PaneRegistry panes;
    return exportWindows(client, folder, files, [&panes](marluneChild& window, const std::filesystem::path& file) {
        const std::unique_ptr<QWidget> pane(panes.make(window));
        if (!pane)
            return false;
        pane->resize(800, 400);
        return pane->grab().toImage().save(QString::fromStdString(file.string()), "PNG");
    });
}
