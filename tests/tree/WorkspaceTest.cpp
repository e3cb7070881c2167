#include "tree/TreeFixture.h"

#include <cmath>
#include <fstream>
#include <regex>

#include "dsp/CalcOperator.h"
#include "dsp/CalcProgram.h"
#include "fileio/SampleRateForm.h"
#include "fileio/WavWriter.h"
#include "settings/PrivateProfile.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "signal/SpectrumSignal.h"
#include "support/HostileFiles.h"
#include "support/MatrixFile.h"
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

    marluneMDIChild* openTone(const std::string& name = "tone.wav", uint32_t n = 4000)
    {
        writeTone(folder.path / name, n);
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

namespace {
// The section of `kind` in a saved workspace, every key but the window positions, in file order.
std::vector<std::string> sectionOfKind(const std::filesystem::path& file, int32_t kind)
{
    const PrivateProfile profile(file);
    for (const std::string& section : profile.sectionNames()) {
        if (profile.getString(section, "Type", "") != std::to_string(kind))
            continue;
        std::vector<std::string> lines;
        for (const std::string& key : profile.keys(section))
            if (!key.starts_with("Window_") && !key.starts_with("Child_"))
                lines.push_back(key + "=" + profile.getString(section, key, ""));
        return lines;
    }
    return {};
}
}  // namespace

// Every key of a Time FFT, a 3D signal log and a picture from a matrix file comes back as it was saved.
TEST_F(WorkspaceTest, EveryKeyOfThe3DKindsRoundTrips)
{
    marluneMDIChild* wav = openTone("tone.wav", 8000);
    ASSERT_NE(wav, nullptr);
    client.spectralSettings.window = 3;
    marlune3DChild* tfft = marlune3DChild::createTimeFFT(client, *wav, {256, 12, 7, 4, 100, 3000});
    marlune3DChild* log = marlune3DChild::createLog(client, *wav, 6);
    writeCountingMatrix(folder.path / "matrix.dat", 5, 4);
    ui.openAnswers.push_back({(folder.path / "matrix.dat").string()});
    client.dispatch(Cmd::OpenPicture);
    auto* picture = dynamic_cast<marlune3DChild*>(client.windows().back());
    ASSERT_TRUE(tfft && log && picture && picture->kind() == SignalKind::Picture);
    client.spectralSettings = builtInSpectralDefaults({});

    int palette = 2;
    for (marlune3DChild* window : {tfft, log, picture}) {
        window->display = {palette++, false, "x" + std::to_string(palette), "y", "z"};
        window->data().fixedZRange = true;
        window->data().level().zMax = 12.5f;
        window->data().level().zMin = -3.25f;
        window->data().fillSegments = !window->data().fillSegments;
        window->data().rulerOn = true;
        window->data().level().rulerRow = 2;
        window->data().level().rulerBin = 3;
    }
    log->data().azimuth = 20;
    log->data().elevation = 8;
    log->data().lowAtBottom = true;
    picture->data().azimuth = 30;
    picture->data().elevation = 16;
    tfft->link();

    const auto file = folder.path / "3d.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));
    auto fresh = loadFresh(file);
    EXPECT_EQ(fresh->client.windows().size(), 4u);
    EXPECT_TRUE(fresh->ui.messages.empty());
    marlune3DChild* freshLog = nullptr;
    for (marluneChild* window : fresh->client.windows())
        if (window->kind() == SignalKind::SignalLog3D)
            freshLog = static_cast<marlune3DChild*>(window);
    ASSERT_NE(freshLog, nullptr);
    EXPECT_EQ(freshLog->data().azimuth, 20);
    EXPECT_EQ(freshLog->data().elevation, 8);
    EXPECT_TRUE(freshLog->data().lowAtBottom);
    EXPECT_EQ(freshLog->data().level().zMax, 12.5f);

    const auto again = folder.path / "again.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(fresh->client, again.string()));
    for (const int32_t kind : {SignalKind::TimeFFT, SignalKind::Picture, SignalKind::SignalLog3D}) {
        const auto saved = sectionOfKind(file, kind);
        EXPECT_GE(saved.size(), 15u) << kind;
        EXPECT_EQ(sectionOfKind(again, kind), saved) << kind;
    }
    EXPECT_EQ(sectionOfKind(file, SignalKind::TimeFFT).size(), 3u + 16u + 3u + 17u) << "Type, Linked, Visible, the 3D keys, the Time FFT's and FFT_";
}

// Cepstra and .sa3 channels are made again with everything below them.
TEST_F(WorkspaceTest, CepstraAndSa3ChannelsComeBackWithTheirSubtrees)
{
    marluneMDIChild* wav = openTone("tone.wav", 4096);
    marluneChild* cepstrum = derive(wav, Cmd::Cepstrum);
    ASSERT_TRUE(cepstrum && cepstrum->kind() == SignalKind::Cepstrum);
    ASSERT_NE(derive(derive(cepstrum, Cmd::FFT), Cmd::RemoveTrend), nullptr);
    std::string sa3(2 * (61 + 7 * 64), '\0');
    for (std::size_t i = 0; i < sa3.size(); ++i)
        sa3[i] = char(i * 7);
    writeBytes(folder.path / "log.sa3", sa3);
    ui.formAnswers.push_back([](DialogForm& form) {
        static_cast<SampleRateForm&>(form).text = "50";
        return form.accept();
    });
    marluneMDIChild* channel0 = client.openFiles({(folder.path / "log.sa3").string()});
    ASSERT_NE(channel0, nullptr);
    marluneChild* channel2 = client.windows()[client.windows().size() - 2];
    ASSERT_EQ(channel2->kind(), SignalKind::Sa3Channel);
    ASSERT_NE(derive(derive(channel2, Cmd::FFT), Cmd::RemoveTrend), nullptr);
    const auto file = folder.path / "kinds.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(client, file.string()));

    auto fresh = std::make_unique<Fresh>();
    fresh->client.spectralSettings = builtInSpectralDefaults({});
    fresh->ui.formAnswers.push_back([](DialogForm& form) {
        static_cast<SampleRateForm&>(form).text = "50";
        return form.accept();
    });
    fresh->client.workspaces().load(file.string());
    ASSERT_EQ(fresh->client.windows().size(), client.windows().size());
    for (std::size_t i = 0; i < client.windows().size(); ++i) {
        EXPECT_EQ(fresh->client.windows()[i]->kind(), client.windows()[i]->kind()) << i;
        EXPECT_EQ(samplesOf(fresh->client.windows()[i]), samplesOf(client.windows()[i])) << i;
    }
    const auto again = folder.path / "again.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(fresh->client, again.string()));
    EXPECT_EQ(withoutPositions(again), withoutPositions(file));
}

// `Child_` keys that lead back up the tree, or to the window itself, end where the window is made.
TEST_F(WorkspaceTest, ChildKeysInACycleEndAtTheWindowAlreadyMade)
{
    writeTone(folder.path / "tone.wav");
    const std::string wav = (folder.path / "tone.wav").string();
    writeBytes(folder.path / "cycle.mws", "[Root]\nRoot_1=Window_0\nRoot_2=Window_5\n"
                                          "[Window_0]\nType=22\nFileName=" + wav + "\nChild_1=Window_1\n"
                                          "[Window_1]\nType=2\nLinked=1\nChild_1=Window_0\nChild_2=Window_1\n"
                                          "[Window_5]\nType=22\nFileName=" + wav + "\nChild_1=Window_5\n");
    auto fresh = loadFresh(folder.path / "cycle.mws");
    const auto windows = fresh->client.windows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[1]->kind(), SignalKind::Spectrum);
    EXPECT_EQ(windows[1]->parent(), windows[0]);
    EXPECT_TRUE(windows[2]->children().empty());
    EXPECT_TRUE(fresh->ui.messages.empty());
}

// Past the table's 512 windows the rest of the file is refused with one message, in one pass over it.
TEST_F(WorkspaceTest, WindowsPastTheFullTableAreRefusedWithOneMessage)
{
    writeTone(folder.path / "tone.wav", 64);
    std::string text = "[Root]\n";
    for (int i = 0; i < 3000; ++i)
        text += "Root_" + std::to_string(i + 1) + "=Window_" + std::to_string(i) + "\n";
    for (int i = 0; i < 3000; ++i)
        text += "[Window_" + std::to_string(i) + "]\nType=22\nFileName=tone.wav\n";
    writeBytes(folder.path / "many.mws", text);
    auto fresh = loadFresh(folder.path / "many.mws");
    EXPECT_EQ(fresh->client.windows().size(), std::size_t(marluneMDIClient::MaxWindows));
    ASSERT_EQ(fresh->ui.messages.size(), 1u);
    EXPECT_EQ(fresh->ui.messages[0].text, marluneMDIClient::TooManyWindows);
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

// A Time FFT over a file that got shorter since the workspace was saved is invalid, and saving the
// workspace again keeps its choices for the day the file is whole again.
TEST_F(WorkspaceTest, AnInvalidTimeFFTKeepsItsChoicesThroughASave)
{
    writeTone(folder.path / "tone.wav", 100);
    writeBytes(folder.path / "short.mws", "[Root]\nRoot_1=Window_0\n[Window_0]\nType=22\nFileName=tone.wav\n"
                                          "Child_1=Window_1\n[Window_1]\nType=151\nLinked=1\nFFTPrecision=256\n"
                                          "SegmentsCount=20\nFFTFromFreq=31.25\nFFTToFreq=4000\nViewX=12\nViewY=6\n");
    auto fresh = loadFresh(folder.path / "short.mws");
    ASSERT_EQ(fresh->client.windows().size(), 2u);
    EXPECT_TRUE(fresh->client.windows()[1]->invalid());
    const auto again = folder.path / "again.mws";
    ASSERT_TRUE(WorkspaceWriter::saveWorkspace(fresh->client, again.string()));
    const TIniHelper ini(again.string());
    EXPECT_EQ(ini.readInt("Window_1", "FFTPrecision"), 256);
    EXPECT_EQ(ini.readInt("Window_1", "SegmentsCount"), 20);
    EXPECT_EQ(ini.readInt("Window_1", "ViewX"), 12);
    EXPECT_EQ(ini.readInt("Window_1", "ViewY"), 6);
    EXPECT_EQ(ini.readDouble("Window_1", "FFTToFreq"), 4000);

    // The whole file again: the same workspace computes its rows.
    writeTone(folder.path / "tone.wav", 8000);
    auto whole = loadFresh(again);
    ASSERT_EQ(whole->client.windows().size(), 2u);
    EXPECT_FALSE(whole->client.windows()[1]->invalid());
    EXPECT_EQ(static_cast<marlune3DChild*>(whole->client.windows()[1])->data().rows(), 20u);
}

TEST_F(WorkspaceTest, ClosingAsksOnceAndYesSavesTheWorkspaceThatLoadsBack)
{
    // Nothing open: nothing to lose, nothing asked.
    EXPECT_TRUE(client.workspaces().agreeToClose());
    EXPECT_TRUE(ui.messages.empty());

    marluneMDIChild* wav = openTone();
    ASSERT_NE(derive(wav, Cmd::FFT), nullptr);
    const auto file = folder.path / "kept.mws";
    ui.messageAnswers = {MessageResult::Yes};
    ui.saveAnswers = {file.string()};
    EXPECT_TRUE(client.workspaces().agreeToClose());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, WorkspaceCommands::SaveBeforeClosingQuestion);
    EXPECT_EQ(ui.saveFilters, std::vector<std::string>{WorkspaceCommands::Filter});
    auto fresh = loadFresh(file);
    ASSERT_EQ(fresh->client.windows().size(), 2u);
    EXPECT_EQ(fresh->client.windows()[1]->parent(), fresh->client.windows()[0]);
}

TEST_F(WorkspaceTest, ClosingKeepsTheWindowsOnCancelOrACancelledSaveAndNoWritesNothing)
{
    openTone();
    ui.messageAnswers = {MessageResult::Cancel};
    EXPECT_FALSE(client.workspaces().agreeToClose());
    EXPECT_TRUE(ui.saveFilters.empty()) << "Cancel asks for no file";

    // Yes and then Cancel in the file dialog: nothing saved, so nothing may close.
    ui.messageAnswers = {MessageResult::Yes};
    ui.saveAnswers = {std::nullopt};
    EXPECT_FALSE(client.workspaces().agreeToClose());

    // A save that fails keeps the windows too, after its own report.
    ui.messageAnswers = {MessageResult::Yes};
    ui.saveAnswers = {(folder.path / "no-such-folder" / "x.mws").string()};
    EXPECT_FALSE(client.workspaces().agreeToClose());

    ui.messages.clear();
    ui.messageAnswers = {MessageResult::No};
    EXPECT_TRUE(client.workspaces().agreeToClose());
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.saveFilters.size(), 2u) << "No asks for no file";
    EXPECT_EQ(client.windows().size(), 1u) << "the question closes nothing itself";
}

TEST_F(WorkspaceTest, TheExamplesMessageIsShownWholeWithItsLastSentence)
{
    const std::filesystem::path shipped = std::filesystem::path(MARLUNE_SOURCE_DIR) / "resources" / "EXAMPLES";
    std::string expected;
    {
        std::ifstream in(shipped / "spectral-analysis.mws");
        for (std::string line; std::getline(in, line);)
            if (line.rfind("Message=", 0) == 0)
                expected = line.substr(8);
    }
    while (!expected.empty() && expected.back() == '\r')
        expected.pop_back();
    ASSERT_GT(expected.size(), 255u) << "the shipped message is the long case";
    ASSERT_TRUE(expected.ends_with("everything below it follows.")) << expected;

    auto fresh = loadFresh(shipped / "spectral-analysis.mws");
    ASSERT_FALSE(fresh->ui.messages.empty());
    EXPECT_EQ(fresh->ui.messages.back().text, expected);
    EXPECT_EQ(fresh->ui.messages.back().caption, "Information about this example");

    // A message of a thousand characters, written by hand as example messages are.
    const auto file = folder.path / "long.mws";
    writeBytes(file, "[Root]\r\nMessage=" + std::string(999, 'm') + ".\r\n");
    auto longer = loadFresh(file);
    ASSERT_EQ(longer->ui.messages.size(), 1u);
    EXPECT_EQ(longer->ui.messages[0].text, std::string(999, 'm') + ".");
}
