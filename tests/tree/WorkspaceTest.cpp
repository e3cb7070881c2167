#include "tree/TreeFixture.h"

#include <cmath>
#include <regex>

#include "dsp/CalcOperator.h"
#include "dsp/CalcProgram.h"
#include "fileio/WavWriter.h"
#include "settings/PrivateProfile.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "signal/SpectrumSignal.h"
#include "support/HostileFiles.h"
#include "support/TempFolder.h"
#include "tree/CalcWindows.h"
#include "tree/ClientListener.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/GeneratorCommand.h"
#include "tree/WorkspaceCommands.h"
#include "tree/WorkspaceLoader.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"

namespace {
// A 16-bit mono WAV of a 440 Hz sine at 8 kHz.
void writeTone(const std::filesystem::path& path, uint32_t n = 4000)
{
    std::vector<float> v(n);
    for (uint32_t i = 0; i < n; ++i)
        v[i] = float(std::round(8000 * std::sin(2 * M_PI * 440 * i / 8000.0)));
    const Signal signal(nullptr, SignalKind::FileSignal, v.data(), n, 8000);
    ASSERT_TRUE(writeWavFile(path, signal));
}

// The file without the keys of window positions, which follow the screen.
std::string withoutPositions(const std::filesystem::path& file)
{
    return std::regex_replace(readBytes(file), std::regex("Window_(Left|Top|Right|Bottom)=[^\\n]*\\n"), "");
}

std::vector<float> samplesOf(const marluneChild* window)
{
    const Signal& s = *signalWindowOf(window)->signal();
    return {s.samples(), s.samples() + s.count()};
}
}  // namespace

class WorkspaceTest : public TreeTest {
protected:
    TempFolder folder;

    void SetUp() override { client.spectralSettings = builtInSpectralDefaults({}); }

    marluneMDIChild* openTone(const std::string& name = "tone.wav")
    {
        writeTone(folder.path / name);
        return client.openFiles({(folder.path / name).string()});
    }
    marluneChild* derive(marluneChild* parent, int command)
    {
        client.setActiveChild(parent);
        const auto before = client.windows().size();
        client.dispatch(command);
        return client.windows().size() > before ? client.windows().back() : nullptr;
    }
    // A second client, as a fresh start of the program, that loads the workspace.
    struct Fresh {
        ScriptedUi ui;
        marluneMDIClient client{ui, "/nonexistent/"};
    };
    std::unique_ptr<Fresh> loadFresh(const std::filesystem::path& file, std::vector<std::string> arguments = {})
    {
        auto fresh = std::make_unique<Fresh>();
        fresh->client.spectralSettings = builtInSpectralDefaults({});
        fresh->client.workspaces().setArguments(std::move(arguments));
        fresh->client.workspaces().load(file.string());
        return fresh;
    }
};

TEST_F(WorkspaceTest, AWavAndItsFftRoundTripToTheSameFileAndTheSameNumbers)
{
    marluneMDIChild* wav = openTone();
    ASSERT_NE(wav, nullptr);
    client.spectralSettings.window = 2;
    client.spectralSettings.show = 1;
    marluneChild* fft = derive(wav, Cmd::FFT);
    ASSERT_NE(fft, nullptr);
    client.spectralSettings = builtInSpectralDefaults({});
    const auto file = folder.path / "one.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));

    const TIniHelper ini(file.string());
    EXPECT_EQ(ini.readText("Root", "Root_1"), "Window_0");
    EXPECT_EQ(ini.readText("Root", "Root_2"), "") << "the FFT is no root";
    EXPECT_EQ(ini.readText("Window_0", "Child_1"), "Window_1");
    EXPECT_EQ(ini.readInt("Window_1", "Type"), 2);
    EXPECT_EQ(ini.readInt("Window_1", "FFT_Window"), 2);
    const std::string text = readBytes(file);
    const std::regex spectralKey("\\nFFT_");
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), spectralKey), std::sregex_iterator()), 17);

    auto fresh = loadFresh(file);
    const auto windows = fresh->client.windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1]->parent(), windows[0]);
    EXPECT_EQ(static_cast<const SpectrumSignal&>(*signalWindowOf(windows[1])->signal()).spectral.window, 2);
    EXPECT_EQ(fresh->client.spectralSettings, builtInSpectralDefaults({})) << "the defaults come back after the FFT";
    EXPECT_EQ(samplesOf(windows[1]), samplesOf(fft));
    EXPECT_TRUE(fresh->ui.messages.empty());

    const auto again = folder.path / "again.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(fresh->client, again.string()));
    EXPECT_EQ(withoutPositions(again), withoutPositions(file));
}

TEST_F(WorkspaceTest, AMovedFolderAndWindowsPathsFindTheirFilesBesideTheWorkspace)
{
    marluneMDIChild* wav = openTone();
    derive(wav, Cmd::Cepstrum);
    const auto file = folder.path / "moved.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));

    TempFolder other;
    std::filesystem::rename(folder.path / "tone.wav", other.path / "tone.wav");
    std::filesystem::rename(file, other.path / "moved.mws");
    auto fresh = loadFresh(other.path / "moved.mws");
    ASSERT_EQ(fresh->client.windows().size(), 2u) << "the cepstrum is made again too";
    EXPECT_EQ(fresh->client.windows()[0]->fileName(), (other.path / "tone.wav").string());

    // A workspace written on another system names its file with a drive and backslashes.
    TIniHelper ini((other.path / "moved.mws").string());
    ini.writeText("Window_0", "FileName", "D:\\Measurements\\May\\tone.wav");
    ASSERT_TRUE(ini.flush());
    fresh = loadFresh(other.path / "moved.mws");
    EXPECT_EQ(fresh->client.windows().size(), 2u);
}

TEST_F(WorkspaceTest, AMissingFileIsReportedAndTheRestLoads)
{
    marluneMDIChild* first = openTone("first.wav");
    openTone("second.wav");
    derive(first, Cmd::FFT);
    const auto file = folder.path / "missing.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    std::filesystem::remove(folder.path / "first.wav");

    auto fresh = loadFresh(file);
    ASSERT_EQ(fresh->ui.messages.size(), 1u);
    EXPECT_EQ(fresh->ui.messages[0].text, "File " + (folder.path / "first.wav").string() + " does not exists.");
    EXPECT_EQ(fresh->client.windows().size(), 1u) << "the FFT of the missing file is not made";
    EXPECT_EQ(fresh->ui.openFolders.size(), 1u) << "the person was asked once to locate the file";
}

TEST_F(WorkspaceTest, HashNumbersNameTheCommandLineItems)
{
    openTone();
    const auto file = folder.path / "args.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    TIniHelper ini(file.string());
    ini.writeText("Window_0", "FileName", "#2");
    ASSERT_TRUE(ini.flush());
    TempFolder other;
    writeTone(other.path / "given.wav", 1000);

    auto fresh = loadFresh(file, {"marlune32", file.string(), (other.path / "given.wav").string()});
    ASSERT_EQ(fresh->client.windows().size(), 1u);
    EXPECT_EQ(signalWindowOf(fresh->client.windows()[0])->signal()->count(), 1000u);
}

TEST_F(WorkspaceTest, ACalculatorOfTwoRootsIsMadeOnceAfterBothExist)
{
    marluneMDIChild* a = openTone("a.wav");
    marluneMDIChild* b = openTone("b.wav");
    CalcProgram program({(long double)a->index(), CalcOperator::Base + '-', (long double)b->index()});
    ASSERT_NE(CalcWindows::create(client, program, client.spectralSettings), nullptr);
    const auto file = folder.path / "calc.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    const TIniHelper ini(file.string());
    EXPECT_EQ(ini.readText("Window_2", "Parent_1"), "Window_0");
    EXPECT_EQ(ini.readText("Window_2", "Parent_2"), "Window_1");
    EXPECT_EQ(ini.readText("Window_2", "Element_2"), "-");

    auto fresh = loadFresh(file);
    const auto windows = fresh->client.windows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[2]->kind(), SignalKind::Calculator);
    EXPECT_EQ(windows[2]->parents(), (std::vector<marluneChild*>{windows[0], windows[1]}));
    const std::vector<float> difference = samplesOf(windows[2]);
    EXPECT_TRUE(std::all_of(difference.begin(), difference.end(), [](float v) { return v == 0; }));
}

TEST_F(WorkspaceTest, OverlaysComeBackWithTheirParentsFormAndRange)
{
    marluneMDIChild* a = openTone("a.wav");
    marluneMDIChild* b = openTone("b.wav");
    marluneJoinChild* stacked = marluneJoinChild::create(client, {b, a}, SignalKind::StackedOverlay);
    ASSERT_TRUE(stacked && marluneJoinChild::create(client, {a}, SignalKind::Overlay));
    CurveDisplay display = stacked->display();
    display.fixedRange = true;
    display.xLabel = "time";
    stacked->setDisplay(display);
    stacked->setYRange(7.5f, -2.25f);
    const auto file = folder.path / "overlays.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    const TIniHelper ini(file.string());
    EXPECT_EQ(ini.readInt("Window_2", "Type"), -4);
    EXPECT_EQ(ini.readInt("Window_2", "ParentCount"), 2);
    EXPECT_EQ(ini.readText("Window_2", "Parent_1"), "Window_1");
    EXPECT_EQ(ini.readText("Window_3", "Parent_1"), "Window_0") << "a single parent is named too";

    auto fresh = loadFresh(file);
    const auto windows = fresh->client.windows();
    ASSERT_EQ(windows.size(), 4u);
    const auto find = [&windows](const std::function<bool(const marluneChild*)>& test) {
        const auto found = std::find_if(windows.begin(), windows.end(), test);
        return found == windows.end() ? nullptr : *found;
    };
    marluneChild* freshA = find([](const marluneChild* w) { return w->fileName().ends_with("a.wav"); });
    marluneChild* freshB = find([](const marluneChild* w) { return w->fileName().ends_with("b.wav"); });
    auto* again = dynamic_cast<marluneJoinChild*>(find([](const marluneChild* w) { return w->kind() == -4; }));
    ASSERT_TRUE(freshA && freshB && again);
    EXPECT_EQ(again->parents(), (std::vector<marluneChild*>{freshB, freshA}));
    EXPECT_EQ(again->yMax(), 7.5f);
    EXPECT_EQ(again->yMin(), -2.25f);
    EXPECT_EQ(again->display().xLabel, "time");
    const marluneChild* single = find([](const marluneChild* w) { return w->kind() == -3; });
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->parents(), std::vector<marluneChild*>{freshA});
}

TEST_F(WorkspaceTest, AGeneratorWindowSetsTheGeneratorsDefaults)
{
    GeneratorParameters parameters = GeneratorParameters::initial();
    parameters.param[5] = 123.5L;
    ASSERT_NE(GeneratorCommand::create(client, parameters), nullptr);
    const auto file = folder.path / "gen.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    auto fresh = loadFresh(file);
    ASSERT_EQ(fresh->client.windows().size(), 1u);
    EXPECT_EQ(fresh->client.generatorSettings.param, parameters.param);
    EXPECT_EQ(samplesOf(fresh->client.windows()[0]), samplesOf(client.windows()[0]));
}

TEST_F(WorkspaceTest, ViewKeysTitlesLinksAndZoomComeBack)
{
    marluneMDIChild* wav = openTone();
    ASSERT_TRUE(wav->signal()->zoomIn(100, 899));
    auto* filtered = signalWindowOf(DerivedWindows::createChild(client, *wav, SignalKind::Filtered, {300, 600, 1}));
    ASSERT_NE(filtered, nullptr);
    filtered->changeTitle("band");
    filtered->unlink();
    wav->setStep(77);
    wav->setLogXAxis(true);
    wav->place({100, 200, 5100, 4200});
    const auto file = folder.path / "view.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));

    auto fresh = loadFresh(file);
    const auto windows = fresh->client.windows();
    ASSERT_EQ(windows.size(), 2u);
    const marluneMDIChild& head = *signalWindowOf(windows[0]);
    EXPECT_EQ(head.signal()->firstVisible(), 100u);
    EXPECT_EQ(head.signal()->lastVisible(), 899u);
    EXPECT_EQ(head.caption().front(), '~');
    EXPECT_EQ(head.step(), 77u);
    EXPECT_TRUE(head.logXAxis());
    EXPECT_EQ(head.placement(), (WindowPlacement{100, 200, 5100, 4200}));
    EXPECT_EQ(windows[1]->title(), "band");
    EXPECT_FALSE(windows[1]->linked());
    EXPECT_EQ(samplesOf(windows[1]), samplesOf(filtered));
}

TEST_F(WorkspaceTest, MoreThan256WindowsLoad)
{
    marluneMDIChild* wav = openTone("many.wav");
    for (int i = 0; i < 299; ++i)
        ASSERT_NE(DerivedWindows::createChild(client, *wav, SignalKind::Detrended), nullptr);
    const auto file = folder.path / "many.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    auto fresh = loadFresh(file);
    EXPECT_EQ(fresh->client.windows().size(), 300u);
}

namespace {
struct ControlRequests : ClientListener {
    std::vector<WindowPlacement> requested;
    void controlWindowRequested(const WindowPlacement& placement) override { requested.push_back(placement); }
};
}  // namespace

// The section is there only while the control window is open, and asks for it again on loading.
TEST_F(WorkspaceTest, TheControlWindowSectionFollowsTheControlWindow)
{
    openTone();
    const auto closed = folder.path / "closed.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, closed.string()));
    EXPECT_EQ(readBytes(closed).find("[ControlWindow]"), std::string::npos);

    client.noteControlWindow(WindowPlacement{5000, 0, 10000, 2500});
    const auto open = folder.path / "open.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, open.string()));
    const TIniHelper ini(open.string());
    EXPECT_EQ(ini.readLong("ControlWindow", "Window_Left"), 5000);
    EXPECT_EQ(ini.readLong("ControlWindow", "Window_Bottom"), 2500);
    EXPECT_EQ(ini.readInt("ControlWindow", "Visible"), 1);

    ControlRequests requests;
    auto fresh = std::make_unique<Fresh>();
    fresh->client.subscribe(requests);
    fresh->client.workspaces().load(closed.string());
    EXPECT_TRUE(requests.requested.empty()) << "a closed control window is left as it is";
    fresh->client.workspaces().load(open.string());
    EXPECT_EQ(requests.requested, (std::vector<WindowPlacement>{{5000, 0, 10000, 2500}}));
    fresh->client.unsubscribe(requests);
}

// Workspaces that are no regular files of a settings file's size make nothing, at once.
TEST_F(WorkspaceTest, HostileWorkspaceFilesMakeNothing)
{
    const HangGuard guard;
    ASSERT_NE(openTone(), nullptr);
    for (const auto& hostile : hostileFiles(folder.path, "hostile.mws", PrivateProfile::MaxFileBytes + 1)) {
        client.workspaces().load(hostile.string());
        EXPECT_EQ(client.windows().size(), 1u) << hostile.filename();
    }
}
