#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/ExportRun.h"
#include "app/MainFrame.h"
#include "app/NumberLocale.h"
#include "app/marluneApp.h"
#include "base/ui/PngFile.h"

namespace {
// Start-up and the command line take about a second; the screenshot waits until the windows are drawn.
constexpr int ScreenshotDelayMs = 2500;
}  // namespace

namespace {
int run(int argc, char* argv[])
{
    const bool exporting = argc > 2 && std::string_view(argv[1]) == "--export";
    // An export shows nothing: it draws offscreen whatever display the environment names, one that is
    // gone or refuses it included, so a script's run never ends on the display.
    if (exporting)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    useCNumberLocale();
    QApplication::setApplicationName("Marlune");
    QApplication::setApplicationVersion(MARLUNE_VERSION);

    if (exporting)
        return runExport(argv[2], std::vector<std::string>(argv + 3, argv + argc));

    QString screenshot;
    std::vector<std::string> files;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--screenshot" && i + 1 < arguments.size())
            screenshot = arguments[++i];
        else
            files.push_back(QFile::encodeName(arguments[i]).toStdString());
    }

    marluneApp app;
    app.start(files);
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(ScreenshotDelayMs, &app.frame(), [&app, screenshot] {
            static_cast<void>(writePngFile(app.frame().grab().toImage(), QFile::encodeName(screenshot).toStdString()));
            // Not quit(): that closes the frame first, and the frame asks whether to save the workspace.
            QCoreApplication::exit(0);
        });
    }
    return application.exec();
}
}  // namespace

// Everything is saved and closed when run() returns. Qt Multimedia's PulseAudio engine is a global
// that the exit handlers destroy while its own thread may still dispatch a server reply, which can
// crash a finished run, so the process ends without them.
int main(int argc, char* argv[])
{
    const int status = run(argc, argv);
    std::fflush(nullptr);
    std::_Exit(status);
}
