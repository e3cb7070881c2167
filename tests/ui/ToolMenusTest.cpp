#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "QtTestApp.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "signal/SignalKind.h"
#include "support/TempFolder.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marluneMDIChild.h"
#include "tree/ui/ChildSubWindow.h"

namespace {
class ToolMenusTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }

    const std::string folder = scratchFolder("tools");
    marluneApp app_{folder};

    // The texts of a "&Use custom tool" submenu under the top menu `top`, separators as "-".
    std::vector<std::string> toolMenu(const QString& top)
    {
        for (QAction* topAction : app_.frame().menuBar()->actions())
            if (topAction->text() == top)
                for (QAction* item : topAction->menu()->actions())
                    if (item->menu() && item->text() == "&Use custom tool") {
                        std::vector<std::string> texts;
                        for (QAction* entry : item->menu()->actions())
                            texts.push_back(entry->isSeparator() ? "-" : entry->text().toStdString());
                        return texts;
                    }
        ADD_FAILURE() << "no tool submenu under " << top.toStdString();
        return {};
    }
};
}  // namespace

TEST_F(ToolMenusTest, BothSubmenusListTheToolsByName)
{
    const auto tools = std::filesystem::path(folder) / "TOOLS";
    std::filesystem::create_directories(tools);
    for (const char* name : {"spectrum", "band pass", "cepstrum"})
        writeBytes(tools / (std::string(name) + ".mwt"), "[Root]\n");
    app_.client().workspaces().tools().rescan();
    const std::vector<std::string> three{"&From file...", "-", "band pass", "cepstrum", "spectrum"};
    EXPECT_EQ(toolMenu("File"), three);
    EXPECT_EQ(toolMenu("Signal &tools"), three);

    writeBytes(tools / "averaged spectrum.mwt", "[Root]\n");
    app_.client().workspaces().tools().rescan();
    const std::vector<std::string> four{"&From file...", "-", "averaged spectrum", "band pass", "cepstrum", "spectrum"};
    EXPECT_EQ(toolMenu("File"), four);
    EXPECT_EQ(toolMenu("Signal &tools"), four);
}

// The frame reports where the person put a window, and a window the core places goes there.
TEST_F(ToolMenusTest, WindowPlacesTravelBetweenTheFrameAndTheTree)
{
    app_.frame().resize(1000, 800);
    app_.frame().show();
    std::vector<float> samples(100, 1.0f);
    auto* window = static_cast<marluneMDIChild*>(app_.client().addWindow(std::make_unique<marluneMDIChild>(
        app_.client(), SignalKind::FileSignal,
        std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), 100, 1000))));
    QMdiArea* area = app_.frame().findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    const QSize client = area->viewport()->size();
    QMdiSubWindow* subWindow = area->subWindowList().back();
    const QRect moved(client.width() / 4, client.height() / 2, client.width() / 2, client.height() / 4);
    subWindow->setGeometry(moved);
    const auto stored = [](int pixels, int size) { return long(pixels) * 10000 / size; };
    EXPECT_EQ(window->placement(),
              (WindowPlacement{stored(moved.left(), client.width()), stored(moved.top(), client.height()),
                               stored(moved.left() + moved.width(), client.width()),
                               stored(moved.top() + moved.height(), client.height())}));

    window->place({0, 0, 5000, 5000});
    EXPECT_EQ(subWindow->geometry(), QRect(0, 0, client.width() / 2, client.height() / 2));
    EXPECT_EQ(window->placement(), (WindowPlacement{0, 0, 5000, 5000})) << "the stored values are kept";
    window->setVisible(false);
    EXPECT_FALSE(subWindow->isVisible());
}
