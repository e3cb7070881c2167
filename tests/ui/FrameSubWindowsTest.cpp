#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <filesystem>

#include "QtTestApp.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "tree/CommandIds.h"
#include "tree/ui/marluneControlWindow.h"

namespace {
namespace fs = std::filesystem;

// A program folder with the shipped resources.
std::string shippedFolder(const char* name)
{
    const std::string folder = scratchFolder(name);
    fs::copy(fs::path(MARLUNE_SOURCE_DIR) / "resources", folder, fs::copy_options::recursive);
    return folder;
}

marluneControlWindow* controlWindowOf(const MainFrame& frame)
{
    for (QMdiSubWindow* subWindow : frame.mdiArea()->subWindowList())
        if (auto* control = qobject_cast<marluneControlWindow*>(subWindow))
            return control;
    return nullptr;
}
}  // namespace

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
