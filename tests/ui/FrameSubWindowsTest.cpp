#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <filesystem>

#include "QtTestApp.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "tree/CommandIds.h"
#include "tree/CustomTools.h"
#include "tree/WorkspaceCommands.h"
#include "tree/ui/marluneControlWindow.h"

namespace {
namespace fs = std::filesystem;

// A program folder with the shipped resources: the example signal and the tools.
std::string shippedFolder(const char* name)
{
    const std::string folder = scratchFolder(name);
    fs::copy(fs::path(MARLUNE_SOURCE_DIR) / "resources", folder, fs::copy_options::recursive);
    return folder;
}

QList<QKeySequence> acceleratorKeys(const MainFrame& frame)
{
    QList<QKeySequence> keys;
    for (const QAction* action : frame.actions())
        keys << action->shortcuts();
    return keys;
}

marluneControlWindow* controlWindowOf(const MainFrame& frame)
{
    for (QMdiSubWindow* subWindow : frame.mdiArea()->subWindowList())
        if (auto* control = qobject_cast<marluneControlWindow*>(subWindow))
            return control;
    return nullptr;
}
}  // namespace

// Qt gives each subwindow a system menu whose Close takes the platform's close keys; where one is an
// accelerator of the frame (Ctrl+W under X11) both would match and neither act.
TEST(FrameSubWindows, NoneOfAnyKindTakesAKeyOfTheFrame)
{
    qtApp();
    const std::string folder = shippedFolder("frame_subwindows");
    marluneApp app(folder);
    MainFrame& frame = app.frame();
    frame.show();
    ASSERT_TRUE(app.router().trigger(Cmd::ControlWindow));
    app.client().openFiles({folder + "EXAMPLES/example.wav"});
    settle();
    // A spectrum, a Time FFT, and an instrument over a spectrum, all under the first channel.
    QMdiSubWindow* channel = frame.mdiArea()->subWindowList()[1];
    for (const char* tool : {"spectrum.mwt", "spectrogram.mwt", "spectrum-rms.mwt"}) {
        frame.mdiArea()->setActiveSubWindow(channel);
        app.client().workspaces().tools().apply(folder + "TOOLS/" + tool);
        settle();
    }
    const QList<QMdiSubWindow*> subWindows = frame.mdiArea()->subWindowList();
    ASSERT_EQ(subWindows.size(), 1 + 2 + 1 + 1 + 2);

    const QList<QKeySequence> frameKeys = acceleratorKeys(frame);
    ASSERT_TRUE(frameKeys.contains(QKeySequence("Ctrl+W")));
    QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    closeKeys.removeIf([&frameKeys](const QKeySequence& key) { return frameKeys.contains(key); });
    for (QMdiSubWindow* subWindow : subWindows) {
        const std::string title = subWindow->windowTitle().toStdString();
        for (const QAction* action : subWindow->actions())
            for (const QKeySequence& key : action->shortcuts())
                EXPECT_FALSE(frameKeys.contains(key)) << title << ": " << key.toString().toStdString();
        // The platform's other close keys still close the subwindow.
        const QList<QAction*> menu = subWindow->systemMenu()->actions();
        ASSERT_FALSE(menu.isEmpty()) << title;
        EXPECT_EQ(menu.last()->shortcuts(), closeKeys) << title;
    }
    // The MDI area keeps Ctrl+Tab and Ctrl+Shift+Tab for going from window to window.
    for (const char* key : {"Ctrl+Tab", "Ctrl+Shift+Tab", "Ctrl+Backtab"})
        EXPECT_FALSE(frameKeys.contains(QKeySequence(key))) << key;
    app.client().closeAll();
    settle();
}

// The control window tells the frame it closes from its destructor; at the end of the program that
// must happen while the frame is still a frame, not from the frame's own teardown.
TEST(FrameSubWindows, TheControlWindowClosesWhileTheFrameIsWhole)
{
    qtApp();
    bool closed = false;
    bool frameWhole = false;
    {
        marluneApp app(shippedFolder("frame_teardown"));
        app.frame().show();
        ASSERT_TRUE(app.router().trigger(Cmd::ControlWindow));
        app.client().openFiles({std::string(MARLUNE_SOURCE_DIR) + "/resources/EXAMPLES/example.wav"});
        settle();
        marluneControlWindow* control = controlWindowOf(app.frame());
        ASSERT_NE(control, nullptr);
        QObject* frame = &app.frame();
        QObject::connect(control, &marluneControlWindow::closing, [frame, &closed, &frameWhole] {
            closed = true;
            frameWhole = qobject_cast<MainFrame*>(frame) != nullptr;
        });
    }
    EXPECT_TRUE(closed);
    EXPECT_TRUE(frameWhole);
}
