#include "tree/TreeFixture.h"

#include "fileio/SampleRateForm.h"
#include "support/AddressSpaceLimit.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/WorkspaceCommands.h"

class AsciiImportTest : public TreeTest {
protected:
    TempFolder folder;

    std::string table(const std::string& name, const std::string& text)
    {
        writeBytes(folder.path / name, text);
        return (folder.path / name).string();
    }
    marluneMDIChild* import(const std::string& path)
    {
        ui.openAnswers.push_back({path});
        const std::size_t before = client.windows().size();
        EXPECT_TRUE(client.dispatch(Cmd::ImportAscii));
        const auto all = client.windows();
        return all.size() > before ? static_cast<marluneMDIChild*>(all[before]) : nullptr;
    }
    std::vector<marluneMDIChild*> windows() const
    {
        std::vector<marluneMDIChild*> all;
        for (marluneChild* w : client.windows())
            all.push_back(static_cast<marluneMDIChild*>(w));
        return all;
    }
    void answerSampleRate(const std::string& text)
    {
        ui.formAnswers.push_back([text](DialogForm& form) {
            static_cast<SampleRateForm&>(form).text = text;
            return true;
        });
    }
    static std::vector<float> samples(const marluneMDIChild* window)
    {
        const Signal& s = *window->signal();
        return {s.samples(), s.samples() + s.count()};
    }
};

TEST_F(AsciiImportTest, AnEvenFirstColumnIsOfferedAsTheXAxis)
{
    const auto path = table("t.txt", "0\t1\n0.001\t2\n0.002\t3\n");
    EXPECT_TRUE(client.dispatchState(Cmd::ImportAscii));
    marluneMDIChild* window = import(path);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want to use first column as X-Axis values (Sample rate = 1000)?");
    EXPECT_EQ(ui.messages[0].caption, "ASCII import");
    EXPECT_TRUE(ui.formsShown.empty()) << "the rate comes from the column";
    EXPECT_EQ(client.windows().size(), 1u);
    EXPECT_EQ(samples(window), (std::vector<float>{1, 2, 3}));
    EXPECT_NEAR(double(window->signal()->sampleRate()), 1000.0, 1e-9);
    EXPECT_EQ(window->signal()->xOffset(), 0.0L);
    EXPECT_EQ(window->signal()->kind(), SignalKind::AsciiColumn);
    EXPECT_EQ(window->caption(), " 1#t.txt(1)");
    EXPECT_EQ(window->fileName(), path);
    EXPECT_EQ(window->channelNumber(), 0);
    EXPECT_TRUE(window->xAxisFromFile());
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(AsciiImportTest, TheXAxisGivesEveryColumnItsFirstValueAsOffset)
{
    const auto path = table("x.txt", "-5\t1\t10\n-4.5\t2\t20\n-4\t3\t30\n-3.5\t4\t40\n");
    ASSERT_NE(import(path), nullptr);
    EXPECT_EQ(ui.messages[0].text, "Do you want to use first column as X-Axis values (Sample rate = 2)?");
    const auto all = windows();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->caption(), " 1#x.txt(1)");
    EXPECT_EQ(all[1]->caption(), " 2#x.txt(2)");
    EXPECT_EQ(all[1]->mainSignal(), all[0]);
    EXPECT_EQ(all[1]->channelNumber(), 1);
    EXPECT_EQ(samples(all[1]), (std::vector<float>{10, 20, 30, 40}));
    for (const auto* w : all) {
        EXPECT_EQ(w->signal()->xOffset(), -5.0L);
        EXPECT_NEAR(double(w->signal()->sampleRate()), 2.0, 1e-12);
    }
}

TEST_F(AsciiImportTest, RefusingTheXAxisAsksTheRateAndImportsEveryColumn)
{
    const auto path = table("t.txt", "0\t1\n0.001\t2\n0.002\t3\n");
    ui.messageAnswers.push_back(MessageResult::No);
    answerSampleRate("250");
    ASSERT_NE(import(path), nullptr);
    EXPECT_EQ(ui.formsShown, (std::vector<std::string>{"SampleRate"}));
    const auto all = windows();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->caption(), " 1#t.txt(0)");
    EXPECT_EQ(all[1]->caption(), " 2#t.txt(1)");
    EXPECT_EQ(all[0]->mainSignal(), nullptr);
    EXPECT_EQ(all[1]->mainSignal(), all[0]);
    EXPECT_EQ(all[0]->channelNumber(), 0);
    EXPECT_EQ(all[1]->channelNumber(), 1);
    EXPECT_EQ(samples(all[0]), (std::vector<float>{0, 0.001f, 0.002f}));
    EXPECT_EQ(all[1]->signal()->sampleRate(), 250.0L);
    EXPECT_EQ(all[1]->signal()->xOffset(), 0.0L);
    EXPECT_FALSE(all[0]->xAxisFromFile());
}

TEST_F(AsciiImportTest, ASingleColumnAsksTheRateAndACancelImportsNothing)
{
    const auto path = table("one.txt", "3\n1\n4\n1\n5\n");
    EXPECT_EQ(import(path), nullptr) << "cancelled";
    EXPECT_EQ(ui.formsShown, (std::vector<std::string>{"SampleRate"}));
    answerSampleRate("8000");
    marluneMDIChild* window = import(path);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ui.messages.empty()) << "one column is never an axis";
    EXPECT_EQ(samples(window), (std::vector<float>{3, 1, 4, 1, 5}));
    EXPECT_EQ(window->signal()->sampleRate(), 8000.0L);
    EXPECT_EQ(window->caption(), " 1#one.txt(0)") << "the cancelled import made no window";
}

TEST_F(AsciiImportTest, AnUnevenFirstColumnIsNotOffered)
{
    const auto path = table("u.txt", "0\t1\n1\t2\n2.01\t3\n3\t4\n");
    answerSampleRate("10");
    ASSERT_NE(import(path), nullptr);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(client.windows().size(), 2u);
}

TEST_F(AsciiImportTest, AHundredThousandLinesArriveComplete)
{
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += std::to_string(i) + "e-3\t" + std::to_string(i % 7) + "\n";
    marluneMDIChild* window = import(table("long.txt", text));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui.messages.size(), 1u);
    ASSERT_EQ(window->signal()->count(), 100000u);
    EXPECT_EQ(window->signal()->samples()[99999], float(99999 % 7));
    EXPECT_EQ(window->signal()->samples()[65536], float(65536 % 7));
}

TEST_F(AsciiImportTest, HostileTablesMakeWindowsWithoutHarm)
{
    const std::string longLine = "1\t" + std::string(5000, '9') + "\t2\n";
    answerSampleRate("100");
    marluneMDIChild* window = import(table("odd.txt", longLine + "nan\tinf\t-inf\n2,5\n\t\t\t\t\n1e999\t1e-999\n"));
    ASSERT_NE(window, nullptr);
    const auto all = windows();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0]->signal()->count(), 5u);
    EXPECT_EQ(samples(all[2]), (std::vector<float>{2, -INFINITY, 0, 0, 0}));
}

TEST_F(AsciiImportTest, AMissingOrEmptyFileImportsNothingSilently)
{
    EXPECT_EQ(import((folder.path / "missing.txt").string()), nullptr);
    EXPECT_EQ(import(table("empty.txt", "")), nullptr);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.formsShown.empty());
    ui.openAnswers.push_back({});
    EXPECT_TRUE(client.dispatch(Cmd::ImportAscii)) << "a cancelled file dialog";
}

// A workspace's rate goes through the check of the readers: the window is refused with the file named.
TEST_F(AsciiImportTest, AsciiWindowsOfAWorkspaceRefuseRatesTheReadersRefuse)
{
    const auto table = folder.path / "table.txt";
    writeBytes(table, "1\t2\n3\t4\n5\t6\n");
    for (const char* rate : {"nan", "inf", "-inf", "0", "-5", "1e4000", "1e-4000"}) {
        SCOPED_TRACE(rate);
        client.closeAll();
        ui.messages.clear();
        const auto path = folder.path / "ascii.mws";
        writeBytes(path, "[Root]\nRoot_1=Window_0\n\n[Window_0]\nType=24\nLinked=0\nFileName=" + table.string() +
                             "\nSampleRate=" + rate + "\nXAxisFromFile=-1\n");
        client.workspaces().load(path.string());
        EXPECT_TRUE(client.windows().empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.substr(0, ui.messages[0].text.find('\n')), "Error reading " + table.string() + "!");
        EXPECT_NE(ui.messages[0].text.find("\nThe sample rate "), std::string::npos) << ui.messages[0].text;
    }
    // A usable rate still makes both columns.
    client.closeAll();
    const auto path = folder.path / "ascii.mws";
    writeBytes(path, "[Root]\nRoot_1=Window_0\n\n[Window_0]\nType=24\nLinked=0\nFileName=" + table.string() +
                         "\nSampleRate=250\nXAxisFromFile=-1\n");
    client.workspaces().load(path.string());
    ASSERT_EQ(client.windows().size(), 2u);
    EXPECT_EQ(signalWindowOf(client.windows()[1])->signal()->sampleRate(), 250.0L);
}

// Columns that could get no window are not read: a first line of a million values (2 MB) took 563 MB.
TEST_F(AsciiImportTest, AFirstLineOfAMillionValuesTakesMemoryInProportionToTheFile)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    std::string line;
    for (int i = 0; i < 1000000; ++i)
        line += i ? "\t7" : "7";
    const auto table = folder.path / "wide.txt";
    writeBytes(table, line + "\n");
    answerSampleRate("100");
    {
        // The line itself, its fields and what 512 windows hold.
        const AddressSpaceLimit limit(48u << 20);
        EXPECT_NE(import(table.string()), nullptr);
    }
    EXPECT_EQ(client.windows().size(), std::size_t(marluneMDIClient::MaxWindows));
    EXPECT_TRUE(ui.messages.empty()) << "every column that got a window was read";
    EXPECT_EQ(samples(windows().back()), std::vector<float>{7});
}
