#include "tree/TreeFixture.h"

#include <cmath>
#include <string>
#include <vector>

#include "fileio/BinFile.h"
#include "settings/SmoothingForm.h"
#include "settings/SpectralSettingsIni.h"
#include "support/AddressSpaceLimit.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/WorkspaceCommands.h"

// Parameters that workspaces, tools and dialogs hand to the windows they make, at their worst: each is
// checked against what its input can need before anything is allocated, and every allocation that fails
// all the same ends in "No more memory !!!" at the command, update or workspace that asked for it.
namespace {

constexpr const char* NoMoreMemory = "No more memory !!!";

std::vector<float> samplesOf(const marluneChild* window)
{
    const Signal& s = *signalWindowOf(window)->signal();
    return {s.samples(), s.samples() + s.count()};
}

std::vector<std::string> texts(const ScriptedUi& ui)
{
    std::vector<std::string> all;
    for (const auto& message : ui.messages)
        all.push_back(message.text);
    return all;
}

}  // namespace

class HostileParametersTest : public TreeTest {
protected:
    TempFolder folder;

    void SetUp() override { client.spectralSettings = builtInSpectralDefaults({}); }

    // A float .bin file of a noisy ramp.
    std::string binFile(uint32_t n, const std::string& name = "source.bin")
    {
        std::vector<float> v(n);
        for (uint32_t i = 0; i < n; ++i)
            v[i] = float(i % 1000) + float(std::sin(i * 0.7)) * 100;
        const Signal signal(nullptr, SignalKind::FileSignal, v.data(), n, 8000);
        const auto path = folder.path / name;
        EXPECT_TRUE(writeBinFile(path, signal));
        return path.string();
    }
    // A workspace of one root window (kind 15 on `file`, or the given root section) and one child of
    // the given kind and keys.
    std::string workspace(const std::string& file, const std::string& childKeys)
    {
        const auto path = folder.path / "hostile.mws";
        writeBytes(path, "[Root]\nRoot_1=Window_0\n\n[Window_0]\nType=15\nLinked=0\nVisible=1\nFileName=" + file +
                             "\nChild_1=Window_1\n\n[Window_1]\nLinked=1\nVisible=1\n" + childKeys);
        return path.string();
    }
};

TEST_F(HostileParametersTest, SmoothingLengthsBeyondTheSignalCostNoMoreThanTheSignal)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    const std::string source = binFile(5000);
    // Any kernel at least as long as the signal leaves it as it was, however long the file says it is.
    for (const char* length : {"5000", "5001", "65536", "2147483647"}) {
        SCOPED_TRACE(length);
        client.closeAll();
        ui.messages.clear();
        {
            const AddressSpaceLimit limit(32u << 20);
            client.workspaces().load(workspace(source, std::string("Type=12\nSmoothType=1\nSmoothLength=") + length));
        }
        ASSERT_EQ(client.windows().size(), 2u) << ::testing::PrintToString(texts(ui));
        EXPECT_EQ(samplesOf(client.windows()[1]), samplesOf(client.windows()[0]));
        EXPECT_TRUE(ui.messages.empty());
    }
    // The same through the Properties dialog of the window, whose field takes what a file may hold.
    marluneChild* smoothed = client.windows()[1];
    client.setActiveChild(smoothed);
    ui.formAnswers.push_back([](DialogForm& form) {
        static_cast<SmoothingForm&>(form).length = "4000000000";
        return true;
    });
    {
        const AddressSpaceLimit limit(32u << 20);
        client.dispatch(Cmd::Properties);
    }
    EXPECT_EQ(samplesOf(smoothed), samplesOf(client.windows()[0]));

    // A spectrum smoothed with a kernel longer than its bins is its unsmoothed self.
    client.setActiveChild(client.windows()[0]);
    client.dispatch(Cmd::FFT);
    client.spectralSettings.doSmooth = 1;
    client.spectralSettings.smoothLen = 8192;
    client.dispatch(Cmd::FFT);
    client.spectralSettings.smoothLen = 2147483647;
    {
        const AddressSpaceLimit limit(32u << 20);
        client.dispatch(Cmd::FFT);
    }
    const auto all = client.windows();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(samplesOf(all[3]), samplesOf(all[2])) << "4096 bins, a kernel of 8192";
    EXPECT_EQ(samplesOf(all[4]), samplesOf(all[2])) << "4096 bins, a kernel of 2^31";
}

TEST_F(HostileParametersTest, ACalculatorCountOfTwoBillionElementsReadsOnlyTheSectionsKeys)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    const std::string source = binFile(1000);
    {
        const AddressSpaceLimit limit(32u << 20);
        client.workspaces().load(
            workspace(source, "Type=51\nParent_1=Window_0\nElementCount=2147483647\nElement_1=Window_0\n"));
    }
    // One operand and no operator is not a program: the calculator is not made, quickly and within memory.
    EXPECT_EQ(client.windows().size(), 1u);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
}

TEST_F(HostileParametersTest, NanBoundsOfFiltersAndPartsComputeNothingOutOfRange)
{
    const std::string source = binFile(1000);
    client.workspaces().load(workspace(source, "Type=5\nPartFrom=nan\nPartTo=0.1\n"));
    EXPECT_EQ(client.windows().size(), 1u) << "no part between NaN and 0.1 s";
    client.closeAll();
    client.workspaces().load(workspace(source, "Type=5\nPartFrom=0\nPartTo=-nan\n"));
    EXPECT_EQ(client.windows().size(), 1u);
    client.closeAll();
    // A NaN band edge counts as the lowest bin: a band stop from there to 1 kHz leaves the band above.
    for (const char* keys : {"Type=3\nFromFreq=nan\nToFreq=1000\nFilterType=1\n",
                             "Type=3\nFromFreq=100\nToFreq=nan\nFilterType=2\n"}) {
        SCOPED_TRACE(keys);
        client.closeAll();
        client.workspaces().load(workspace(source, keys));
        ASSERT_EQ(client.windows().size(), 2u);
        for (const float v : samplesOf(client.windows()[1]))
            ASSERT_TRUE(std::isfinite(v));
    }
}

// A smoothing of a signal of 16 MB cannot have its 16 MB under a limit of 8 MB more: the command and the
// update after a change of the parent end in the message, and the program goes on.
TEST_F(HostileParametersTest, EveryRoadToAFailedAllocationEndsInTheMessage)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    constexpr uint32_t Samples = 4u << 20;
    const std::string source = binFile(Samples);
    marluneMDIChild* root = client.openFiles({source});
    ASSERT_NE(root, nullptr);
    client.setActiveChild(root);
    ui.formAnswers.push_back([](DialogForm&) { return true; });
    {
        const AddressSpaceLimit limit(8u << 20);
        EXPECT_TRUE(client.dispatch(Cmd::Smoothing));
    }
    EXPECT_EQ(texts(ui), std::vector<std::string>{NoMoreMemory});
    EXPECT_EQ(client.windows().size(), 1u);

    // Made on a zoomed parent, the smoothing needs a larger block once the parent shows everything.
    ASSERT_TRUE(root->signal()->zoomIn(0, 99));
    ui.formAnswers.push_back([](DialogForm&) { return true; });
    client.setActiveChild(root);
    ASSERT_TRUE(client.dispatch(Cmd::Smoothing));
    ASSERT_EQ(client.windows().size(), 2u);
    marluneMDIChild* smoothed = signalWindowOf(client.windows()[1]);
    const std::vector<float> before = samplesOf(smoothed);
    ui.messages.clear();
    {
        const AddressSpaceLimit limit(8u << 20);
        ASSERT_TRUE(root->signal()->zoomBack());
        root->updateAfterChange();
    }
    EXPECT_EQ(texts(ui), std::vector<std::string>{NoMoreMemory});
    EXPECT_TRUE(smoothed->invalid()) << "the window keeps its signal, marked";
    EXPECT_EQ(samplesOf(smoothed), before);
    // With the memory back, the next update computes it again.
    ui.messages.clear();
    root->updateAfterChange();
    EXPECT_FALSE(smoothed->invalid());
    EXPECT_EQ(samplesOf(smoothed).size(), Samples);
    EXPECT_TRUE(ui.messages.empty());
}

// Blocks freed before stay with the process, so the workspace starts afresh: its source loads, the
// smoothing under it cannot, the message says so and the loading ends.
TEST_F(HostileParametersTest, AWorkspaceWhoseWindowCannotBeHadEndsInTheMessage)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    const std::string source = binFile(4u << 20);
    {
        const AddressSpaceLimit limit(24u << 20);
        client.workspaces().load(workspace(source, "Type=12\nSmoothType=0\nSmoothLength=15\n"));
    }
    EXPECT_EQ(texts(ui), std::vector<std::string>{NoMoreMemory});
    EXPECT_EQ(client.windows().size(), 1u);
    EXPECT_EQ(ui.waitDepth, 0);
}
