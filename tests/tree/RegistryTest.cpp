#include "tree/TreeFixture.h"
#include "support/TempFolder.h"

TEST_F(TreeTest, WindowsTakeTheLowestFreeSlotAndTheCounterOnlyGrows)
{
    auto* a = fileWindow();
    auto* b = fileWindow();
    auto* c = fileWindow();
    EXPECT_EQ(a->index(), 0);
    EXPECT_EQ(c->index(), 2);
    client.closeWindow(b);
    EXPECT_FALSE(client.isRegistered(b));
    auto* d = fileWindow();
    EXPECT_EQ(d->index(), 1);
    EXPECT_EQ(d->caption(), " 4#file");
    EXPECT_EQ(client.highestIndex(), 2);
}

TEST_F(TreeTest, The513thWindowIsRefusedWithAMessage)
{
    for (int i = 0; i < marluneMDIClient::MaxWindows; ++i)
        ASSERT_NE(fileWindow(16), nullptr);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(fileWindow(16), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(client.windows().size(), 512u);
    client.closeWindow(client.window(300));
    EXPECT_EQ(fileWindow(16)->index(), 300);
}

TEST_F(TreeTest, ClosingTellsTheViewAndClearsTheActiveWindow)
{
    auto* a = fileWindow();
    a->subscribe(view);
    client.setActiveChild(a);
    EXPECT_EQ(client.activeChild(), a);
    ASSERT_TRUE(client.dispatch(24339));
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(client.activeChild(), nullptr);
    EXPECT_TRUE(client.windows().empty());
}

TEST_F(TreeTest, CommandsRouteToTheActiveWindowThenTheClient)
{
    EXPECT_FALSE(client.dispatchState(24329).has_value()) << "Zoom In needs a window";
    EXPECT_TRUE(client.dispatchState(24332)->enabled) << "Open works without a window";
    auto* a = fileWindow();
    client.setActiveChild(a);
    EXPECT_FALSE(client.dispatchState(24329)->enabled);
    EXPECT_FALSE(client.dispatchState(103)->enabled) << "a root is not linked";
}

// The settings written at the end of a run: a failure is told, not swallowed.
TEST(ClientDefaults, AFailedWriteOfTheDefaultsIsReported)
{
    TempFolder folder;
    writeBytes(folder.path / "blocker", "a file where a folder should be");
    ScriptedUi ui;
    {
        marluneMDIClient client(ui, "/nonexistent/", DefaultsFile(folder.path / "defaults.ini", folder.path / "blocker" / "defaults.ini"));
        EXPECT_FALSE(client.saveDefaults());
    }
    ASSERT_EQ(ui.messages.size(), 2u) << "once when asked, once at the end";
    EXPECT_NE(ui.messages[1].text.find("blocker/defaults.ini"), std::string::npos) << ui.messages[1].text;
    EXPECT_EQ(readBytes(folder.path / "blocker"), "a file where a folder should be");

    ScriptedUi quiet;
    {
        marluneMDIClient client(quiet, "/nonexistent/", DefaultsFile(folder.path / "defaults.ini"));
        client.spectralSettings.testPeaksLevel = 3;
    }
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_NE(readBytes(folder.path / "defaults.ini").find("FFT_TestPeaksLevel=3"), std::string::npos);
}
