#pragma once
#include <QApplication>
#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>
#include <unistd.h>

// gtest_main owns main(), so the tests create the one QApplication on first use.
inline QApplication& qtApp()
{
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A fresh, empty program folder (with a trailing '/') for one test; ctest runs tests in parallel
// processes, so the folder carries the process id.
inline std::string scratchFolder(const std::string& name)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("marlune_ui_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + '/';
}

inline bool isWhite(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::white);
}

// Runs posted events, including deferred deletes.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}
