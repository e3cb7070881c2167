#include "tree/TreeFixture.h"

#include "fileio/WavWriter.h"
#include "settings/TIniHelper.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/RecentFiles.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceLoader.h"

namespace {
// A command nobody takes is as disabled as one whose row declines it.
bool enabled(const marluneMDIClient& client, int id)
{
    const auto state = client.dispatchState(id);
    return state && state->enabled;
}
}  // namespace

class RecentFilesTest : public TreeTest {
protected:
    TempFolder folder;
    std::filesystem::path listFile = folder.path / "settings" / RecentFiles::FileName;

    void SetUp() override { client.recentFiles().keepIn(listFile, listFile); }

    std::string wav(const std::string& name)
    {
        const std::vector<float> samples(800, 100.0f);
        const Signal signal(nullptr, SignalKind::FileSignal, samples.data(), 800, 8000);
        EXPECT_TRUE(writeWavFile(folder.path / name, signal));
        return (folder.path / name).string();
    }
    const std::vector<std::string>& entries() { return client.recentFiles().entries(); }
};

TEST_F(RecentFilesTest, OpenedAndSavedFilesListNewestFirstAndComeBackInTheNextRun)
{
    const std::string a = wav("a.wav");
    const std::string b = wav("b.wav");
    ui.openAnswers = {{a, b}};
    client.dispatch(Cmd::OpenSignal);
    ASSERT_EQ(client.windows().size(), 2u);
    EXPECT_EQ(entries(), (std::vector<std::string>{b, a}));

    const std::string workspace = (folder.path / "two.mws").string();
    ui.saveAnswers = {workspace};
    client.dispatch(Cmd::SaveWorkspace);
    EXPECT_EQ(entries(), (std::vector<std::string>{workspace, b, a}));
    // Opening one again moves it up instead of listing it twice.
    ui.openAnswers = {{a}};
    client.dispatch(Cmd::OpenSignal);
    EXPECT_EQ(entries(), (std::vector<std::string>{a, workspace, b}));

    // The file was written at each change, so a run that ends by a crash keeps the list too.
    ScriptedUi otherUi;
    marluneMDIClient next(otherUi, "/nonexistent/");
    next.recentFiles().keepIn(listFile, listFile);
    EXPECT_EQ(next.recentFiles().entries(), entries());
    EXPECT_FALSE(std::filesystem::exists(listFile.string() + ".tmp"));

    // Entry 2 of the next run is the workspace: it is loaded, not opened as a signal.
    ASSERT_TRUE(enabled(next, Cmd::RecentBase + 1));
    EXPECT_FALSE(enabled(next, Cmd::RecentBase + 3)) << "only three entries";
    ASSERT_TRUE(next.dispatch(Cmd::RecentBase + 1));
    EXPECT_EQ(next.windows().size(), 2u) << "the workspace's two windows";
    EXPECT_EQ(next.recentFiles().entries().front(), workspace);
    ASSERT_TRUE(next.dispatch(Cmd::RecentBase + 2));
    EXPECT_EQ(next.windows().size(), 3u) << "b.wav as a signal";
    EXPECT_TRUE(otherUi.messages.empty()) << otherUi.messageTexts().front();
}

TEST_F(RecentFilesTest, AFileThatIsGoneIsReportedAndLeavesTheList)
{
    const std::string a = wav("a.wav");
    const std::string b = wav("b.wav");
    client.recentFiles().add(a);
    client.recentFiles().add(b);
    std::filesystem::remove(b);
    ASSERT_TRUE(client.dispatch(Cmd::RecentBase));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"File " + b + " does not exists."});
    EXPECT_TRUE(client.windows().empty());
    EXPECT_EQ(entries(), std::vector<std::string>{a});
    EXPECT_EQ(TIniHelper(listFile.string()).readWholeText(RecentFiles::Section, "File_2"), "");

    ASSERT_TRUE(enabled(client, Cmd::ClearRecent));
    ASSERT_TRUE(client.dispatch(Cmd::ClearRecent));
    EXPECT_TRUE(entries().empty());
    EXPECT_FALSE(enabled(client, Cmd::ClearRecent));
    EXPECT_EQ(TIniHelper(listFile.string()).readWholeText(RecentFiles::Section, "File_1"), "");
}

TEST_F(RecentFilesTest, TheListKeepsEightLongPathsAndRelativeNamesBecomeAbsolute)
{
    const std::string deep = (folder.path / std::string(300, 'd')).string();
    for (int i = 0; i < 10; ++i)
        client.recentFiles().add(deep + "/" + std::to_string(i) + ".wav");
    ASSERT_EQ(entries().size(), RecentFiles::MaxEntries);
    EXPECT_EQ(entries().front(), deep + "/9.wav");
    EXPECT_EQ(entries().back(), deep + "/2.wav");

    RecentFiles read(client);
    read.keepIn(listFile, listFile);
    EXPECT_EQ(read.entries(), entries()) << "paths longer than 255 characters come back whole";

    client.recentFiles().add("relative.wav");
    EXPECT_EQ(entries().front(), (std::filesystem::current_path() / "relative.wav").string());
}

TEST_F(RecentFilesTest, WithoutAFileTheListIsKeptOnlyInMemory)
{
    ScriptedUi otherUi;
    marluneMDIClient alone(otherUi, "/nonexistent/");
    alone.recentFiles().add("/x/a.wav");
    EXPECT_EQ(alone.recentFiles().entries(), std::vector<std::string>{"/x/a.wav"});
    EXPECT_FALSE(std::filesystem::exists(listFile));
}
