#include "app/ExportRun.h"

#include <iostream>

#include "app/marluneApp.h"
#include "tree/BatchUiServices.h"
#include "tree/WindowExport.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/ui/TSigWindow.h"

int runExport(const std::string& folder, const std::vector<std::string>& files)
{
    BatchUiServices ui(std::cerr);
    marluneMDIClient client(ui, marluneApp::executableFolder());
    return exportWindows(client, folder, files, [](marluneChild& window, const std::filesystem::path& file) {
        auto* signalWindow = dynamic_cast<marluneMDIChild*>(&window);
        if (!signalWindow)
            return false;
        TSigWindow pane(*signalWindow);
        return pane.render(QSize(800, 400)).save(QString::fromStdString(file.string()), "PNG");
    });
}
