#include "tree/WindowExport.h"

#include "fileio/AsciiExport.h"
#include "fileio/BinFile.h"
#include "settings/TIniHelper.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

int exportWindows(marluneMDIClient& client, const std::filesystem::path& folder, const std::vector<std::string>& files,
                  const PictureWriter& writePicture)
{
    int status = 0;
    for (const std::string& file : files)
        if (!client.openFiles({file}))
            status = 1;

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
        }
        if (!writePicture(*window, folder / (base + ".png")))
            status = 1;
    }
    if (!manifest.flush())
        status = 1;
    return status;
}
