#include "tree/TreeFixture.h"

#include <cmath>

#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "signal/SpectrumSignal.h"
#include "support/TempFolder.h"
#include "tree/ClientListener.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marlune3DChild.h"

namespace {
std::unique_ptr<Signal> sine(uint32_t n, double frequency)
{
    std::vector<float> v(n);
    for (uint32_t i = 0; i < n; ++i)
        v[i] = float(std::sin(2 * M_PI * frequency * i / 8000));
    return std::make_unique<Signal>(nullptr, SignalKind::WavChannel, v.data(), n, 8000);
}

struct ToolsHeard : ClientListener {
    int changes = 0;
    void toolsChanged() override { ++changes; }
};
}  // namespace

class CustomToolsTest : public ::testing::Test {
protected:
    TempFolder program;
    ScriptedUi ui;
    marluneMDIClient client{ui, program.path.string() + "/"};
    CustomTools& tools = client.workspaces().tools();

    void SetUp() override { client.spectralSettings = builtInSpectralDefaults({}); }

    marluneMDIChild* signalWindow(double frequency = 500)
    {
        auto w = std::make_unique<marluneMDIChild>(client, SignalKind::WavChannel, sine(2048, frequency));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#tone");
        auto* window = static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
        client.setActiveChild(window);
        return window;
    }
    // Saves the active window as a tool into TOOLS/`name`.
    std::filesystem::path save(const std::string& name, bool withSubtree)
    {
        const auto file = tools.folder() / name;
        ui.saveAnswers.push_back(file.string());
        client.dispatch(withSubtree ? Cmd::SaveToolSubtree : Cmd::SaveToolWindow);
        return file;
    }
    std::size_t count() const { return client.windows().size(); }
};

TEST_F(CustomToolsTest, AnFftToolCarriesItsSettingsToAnotherSignalAndRefusesOtherClasses)
{
    marluneMDIChild* first = signalWindow();
    client.spectralSettings.window = 2;
    auto* fft = DerivedWindows::createChild(client, *first, SignalKind::Spectrum);
    client.spectralSettings = builtInSpectralDefaults({});
    client.setActiveChild(fft);
    const auto file = save("spectrum.mwt", false);
    EXPECT_EQ(ui.saveFolders.back(), tools.folder().string()) << "the dialog starts in the tools folder";
    const TIniHelper ini(file.string());
    EXPECT_EQ(ini.readText("Root", "AppliedTo"), "22");
    EXPECT_EQ(ini.readText("Root", "Section"), "Window_1");

    marluneMDIChild* second = signalWindow(1000);
    tools.apply(file);
    ASSERT_EQ(count(), 4u);
    const auto* made = signalWindowOf(client.windows().back());
    EXPECT_EQ(made->parent(), second);
    EXPECT_EQ(static_cast<const SpectrumSignal&>(*made->signal()).spectral.window, 2);
    EXPECT_EQ(client.spectralSettings, builtInSpectralDefaults({}));

    // A Time FFT is a 3D window: a signal tool is refused there.
    marlune3DChild* threeD = marlune3DChild::createTimeFFT(client, *second, {256, 10, -1, -1, 0, 4000});
    ASSERT_NE(threeD, nullptr);
    client.setActiveChild(threeD);
    tools.apply(file);
    EXPECT_EQ(count(), 5u);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, "This tool can be applied only to signals.");
}

TEST_F(CustomToolsTest, ClassesOfHandWrittenToolsAreChecked)
{
    marluneMDIChild* window = signalWindow();
    const std::pair<int, const char*> refusals[] = {
        {75, "This tool can be applied only to instruments."},
        {151, "This tool can be applied only to 3D graphics."},
    };
    for (const auto& [appliedTo, message] : refusals) {
        const auto file = program.path / "hand.mwt";
        TIniHelper ini;
        ini.create(file.string(), true);
        ini.writeText("Root", "AppliedTo", std::to_string(appliedTo));
        ini.writeText("Root", "Section", "Window_7");
        ini.writeInt("Window_7", "Type", SignalKind::Cepstrum);
        ini.writeInt("Window_7", "Linked", 1);
        ini.writeInt("Window_7", "Visible", 1);
        ASSERT_TRUE(ini.flush());
        client.setActiveChild(window);
        tools.apply(file);
        EXPECT_EQ(ui.messages.back().text, message);
        EXPECT_EQ(count(), 1u);
    }
}

TEST_F(CustomToolsTest, ASubtreeToolRebuildsTheSubtreeAndARootToolGoesAnywhere)
{
    marluneMDIChild* first = signalWindow();
    auto* smoothed = DerivedWindows::createChild(client, *first, SignalKind::Smoothed, {1, 5});
    ASSERT_NE(smoothed, nullptr);
    DerivedWindows::createChild(client, *smoothed, SignalKind::Spectrum);
    client.setActiveChild(smoothed);
    const auto file = save("smooth-and-fft.mwt", true);

    marluneMDIChild* second = signalWindow(700);
    tools.apply(file);
    ASSERT_EQ(count(), 6u);
    marluneChild* newSmoothed = client.windows()[4];
    EXPECT_EQ(newSmoothed->kind(), SignalKind::Smoothed);
    EXPECT_EQ(newSmoothed->parent(), second);
    EXPECT_EQ(client.windows()[5]->kind(), SignalKind::Spectrum);
    EXPECT_EQ(client.windows()[5]->parent(), newSmoothed);

    // The tool of a window without parent applies under any window, 3D included.
    client.setActiveChild(first);
    const auto root = save("root.mwt", false);
    EXPECT_EQ(TIniHelper(root.string()).readText("Root", "AppliedTo"), "0");
}

TEST_F(CustomToolsTest, TheListIsSortedCutAndRebuiltWhenAToolIsSaved)
{
    ToolsHeard heard;
    client.subscribe(heard);
    std::filesystem::create_directories(tools.folder());
    const std::string longName(70, 'x');
    for (const std::string& name : {std::string("charlie"), std::string("alpha"), longName})
        writeBytes(tools.folder() / (name + ".mwt"), "[Root]\n");
    writeBytes(tools.folder() / "notes.txt", "not a tool");
    tools.rescan();
    ASSERT_EQ(tools.tools().size(), 3u);
    EXPECT_EQ(tools.tools()[0].menuText, "alpha");
    EXPECT_EQ(tools.tools()[1].menuText, "charlie");
    EXPECT_EQ(tools.tools()[2].menuText, std::string(63, 'x'));
    EXPECT_EQ(heard.changes, 1);

    signalWindow();
    auto* fft = DerivedWindows::createChild(client, *client.windows()[0], SignalKind::Spectrum);
    client.setActiveChild(fft);
    save("bravo.mwt", false);
    ASSERT_EQ(tools.tools().size(), 4u);
    EXPECT_EQ(tools.tools()[1].menuText, "bravo");
    EXPECT_EQ(heard.changes, 2);
    EXPECT_TRUE(client.dispatchState(Cmd::ToolBase + 3)->enabled);
    EXPECT_FALSE(client.dispatchState(Cmd::ToolBase + 4).has_value());

    // Tool 1 from the menu grows an FFT under the active signal.
    client.setActiveChild(client.windows()[0]);
    EXPECT_TRUE(client.dispatch(Cmd::ToolBase + 1));
    EXPECT_EQ(count(), 3u);
    client.unsubscribe(heard);
}
