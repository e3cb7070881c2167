#include <gtest/gtest.h>

#include <QMdiArea>
#include <filesystem>

#include "ModalAnswers.h"
#include "QtTestApp.h"
#include "app/MainFrame.h"
#include "app/marluneApp.h"
#include "settings/TIniHelper.h"
#include "tree/CommandIds.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marluneMDIClient.h"

namespace {
const std::string ExampleWav = std::string(MARLUNE_SOURCE_DIR) + "/resources/EXAMPLES/example.wav";

// Exit and Close All with windows open, answered through the real message box and file dialog.
class FrameClosingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qtApp();
        frame_.show();
        app_.client().openFiles({ExampleWav});
        ASSERT_EQ(app_.client().windows().size(), 2u);
    }

    std::string folder_ = scratchFolder("closing");
    marluneApp app_{folder_};
    MainFrame& frame_ = app_.frame();
};
}  // namespace

TEST_F(FrameClosingTest, CancelKeepsTheProgramAndEveryWindow)
{
    const ModalAnswers cancel(QMessageBox::Cancel);
    ASSERT_TRUE(app_.router().trigger(Cmd::Exit));
    settle();
    EXPECT_EQ(cancel.boxTexts, QStringList{WorkspaceCommands::SaveBeforeClosingQuestion});
    EXPECT_TRUE(frame_.isVisible());
    EXPECT_EQ(app_.client().windows().size(), 2u);
    EXPECT_EQ(frame_.mdiArea()->subWindowList().size(), 2);

    ASSERT_TRUE(app_.router().trigger(Cmd::CloseAll));
    settle();
    EXPECT_EQ(cancel.boxTexts.size(), 2);
    EXPECT_EQ(app_.client().windows().size(), 2u);
    EXPECT_TRUE(cancel.fileFilters.isEmpty());
}

TEST_F(FrameClosingTest, YesSavesTheWorkspaceInTheChosenFileAndThenQuits)
{
    const QString file = QString::fromStdString(folder_ + "session.mws");
    const ModalAnswers yes(QMessageBox::Yes, file);
    ASSERT_TRUE(app_.router().trigger(Cmd::Exit));
    settle();
    EXPECT_EQ(yes.boxTexts.size(), 1) << "one question for both windows";
    ASSERT_EQ(yes.fileFilters.size(), 1);
    EXPECT_EQ(yes.fileFilters[0], QStringList{"Marlune Workspace (*.mws)"});
    EXPECT_FALSE(frame_.isVisible());
    EXPECT_TRUE(app_.client().windows().empty());
    const TIniHelper saved(file.toStdString());
    EXPECT_FALSE(saved.readText("Root", "Root_1").empty());
    EXPECT_FALSE(saved.readText("Root", "Root_2").empty()) << "both channels are roots";
}

TEST_F(FrameClosingTest, YesWithTheFileDialogCancelledKeepsTheWindows)
{
    const ModalAnswers yes(QMessageBox::Yes);
    ASSERT_TRUE(app_.router().trigger(Cmd::CloseAll));
    settle();
    EXPECT_EQ(yes.fileFilters.size(), 1);
    EXPECT_EQ(app_.client().windows().size(), 2u);
    EXPECT_TRUE(frame_.isVisible());
}
