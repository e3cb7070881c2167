#include "tree/TreeFixture.h"

#include <cmath>

#include "base/FormatText.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/SpectralSettingsIni.h"
#include "support/TempFolder.h"
#include "tree/CommandIds.h"
#include "tree/marlune3DChild.h"
#include "views/TimeFFTForm.h"
#include "views/ZAxisForm.h"

namespace {
class ThreeDWindowTest : public TreeTest {
protected:
    // 20000 samples of a 1 kHz tone at 8 kHz, zoomed to the first 10000 and active.
    marluneMDIChild* tone()
    {
        client.spectralSettings = builtInSpectralDefaults({});
        std::vector<float> v(20000);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = float(std::sin(2 * M_PI * 1000 * double(i) / 8000));
        auto w = std::make_unique<marluneMDIChild>(
            client, SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, v.data(), uint32_t(v.size()), 8000.0L));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#tone");
        auto* window = static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
        EXPECT_TRUE(window->signal()->zoomIn(0, 9999));
        client.setActiveChild(window);
        return window;
    }

    // "Time FFT..." with N = 1024 (entry 6) and ten segments; the form's defaults otherwise.
    marlune3DChild* timeFFT(marluneMDIChild* parent, int command = Cmd::TimeFFT, const char* segments = "10")
    {
        ui.formAnswers.push_back([segments](DialogForm& form) {
            auto& choice = static_cast<TimeFFTForm&>(form);
            choice.precision = 6;
            choice.precisionChanged();
            choice.segmentsText = segments;
            return form.accept();
        });
        const std::size_t before = client.windows().size();
        client.setActiveChild(parent);
        client.dispatch(command);
        if (client.windows().size() == before)
            return nullptr;
        return static_cast<marlune3DChild*>(client.windows().back());
    }
};
}  // namespace

TEST_F(ThreeDWindowTest, TimeFFTIsMadeUnlinkedAndTitledAfterItsParent)
{
    marluneMDIChild* parent = tone();
    marlune3DChild* window = timeFFT(parent);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->kind(), SignalKind::TimeFFT);
    EXPECT_EQ(window->caption(), " 2#Time-FFT: 1#tone");
    EXPECT_FALSE(window->linked());
    EXPECT_FALSE(window->invalid());
    EXPECT_EQ(window->display.xLabel, "sec");
    EXPECT_EQ(window->display.yLabel, "Hz");
    EXPECT_EQ(window->data().rows(), 10u);
    EXPECT_EQ(window->data().hop(), 997);
    // The tone's bin, 1000 Hz at 7.8125 Hz per bin, is bin 127 of each row.
    const float* row = window->data().row(4);
    EXPECT_EQ(std::max_element(row, row + window->data().bins()) - row, 127);
}

// Linked, the parent steps by the hop and each step costs one segment; unlinked, the step comes back.
TEST_F(ThreeDWindowTest, ALinkedTimeFFTFollowsTheParentOneSegmentPerStep)
{
    marluneMDIChild* parent = tone();
    marlune3DChild* window = timeFFT(parent);
    ASSERT_NE(window, nullptr);
    FakeView view;
    window->subscribe(view);
    EXPECT_EQ(parent->step(), 30u);
    client.setActiveChild(window);
    client.dispatch(Cmd::Link);
    EXPECT_TRUE(window->linked());
    EXPECT_EQ(parent->step(), 997u);
    const uint64_t before = window->data().segmentsComputed();
    ASSERT_TRUE(parent->stepRight());
    EXPECT_EQ(window->data().segmentsComputed(), before + 1);
    EXPECT_EQ(window->data().shiftDirection, 1);
    EXPECT_NE(std::find(view.heard.begin(), view.heard.end(), ChildChange::Scrolled), view.heard.end());
    client.dispatch(Cmd::Unlink);
    EXPECT_EQ(parent->step(), 30u);
    window->unsubscribe(view);
}

// Choices kept from elsewhere (a workspace) may ask for more samples than the parent shows.
TEST_F(ThreeDWindowTest, AParentTooShortGivesAnInvalidWindow)
{
    marluneMDIChild* parent = tone();
    ASSERT_TRUE(parent->signal()->zoomIn(0, 1999));
    const TimeFFTParameters choices{4096, 10, 15, 3, 1.953125L, 4000};
    marlune3DChild* window = marlune3DChild::createTimeFFT(client, *parent, choices);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->invalid());
    EXPECT_TRUE(client.isRegistered(window));
}

// Cancel in the progress window: no window is made; on a linked window's recompute it turns invalid.
TEST_F(ThreeDWindowTest, CancelledComputationMakesNoWindowOrAnInvalidOne)
{
    marluneMDIChild* parent = tone();
    ui.cancelProgressAfter = 1;
    const std::size_t before = client.windows().size();
    EXPECT_EQ(timeFFT(parent, Cmd::TimeFFT, "500"), nullptr);
    EXPECT_EQ(client.windows().size(), before);
    EXPECT_TRUE(ui.messages.empty());

    ui.cancelProgressAfter.reset();
    marlune3DChild* window = timeFFT(parent, Cmd::TimeFFT, "500");
    ASSERT_NE(window, nullptr);
    window->setLinked(true);
    ui.cancelProgressAfter = ui.progressAdvances + 1;
    ASSERT_TRUE(parent->signal()->scrollRight(5));
    parent->updateAfterChange();
    EXPECT_TRUE(window->invalid());
}

TEST_F(ThreeDWindowTest, TheLogAppendsEveryChangeOfItsParent)
{
    marluneMDIChild* parent = tone();
    ui.inputAnswers.push_back("100");
    client.dispatch(Cmd::SignalLog3D);
    auto* log = static_cast<marlune3DChild*>(client.windows().back());
    ASSERT_EQ(log->kind(), SignalKind::SignalLog3D);
    EXPECT_TRUE(log->linked());
    EXPECT_EQ(log->caption(), " 2#Log: 1#tone");
    EXPECT_EQ(log->data().rows(), 100u);
    EXPECT_EQ(log->data().bins(), 10000u);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(parent->stepRight());
    EXPECT_EQ(log->data().logEntries, 3u) << "the row made with the window is not an appended entry";
    EXPECT_EQ(log->data().value(99, 0), parent->signal()->visibleSamples()[0]);
    ui.inputAnswers.push_back("0");
    client.setActiveChild(parent);
    client.dispatch(Cmd::SignalLog3D);
    EXPECT_EQ(ui.beeps, 1) << "a log needs at least one row";
}

// Keys and commands of the pane, carried out by the window.
TEST_F(ThreeDWindowTest, RulerZoomViewAndPaletteCommands)
{
    marlune3DChild* window = timeFFT(tone());
    ASSERT_NE(window, nullptr);
    client.setActiveChild(window);
    EXPECT_FALSE(client.dispatchState(Cmd::ZoomIn)->enabled) << "zooming needs the ruler";
    window->tabKey();
    EXPECT_TRUE(client.dispatchState(Cmd::Ruler3D)->checked);
    const ViewLevel start = window->data().level();
    window->arrowKey(marlune3DChild::Arrow::Right, false);
    EXPECT_EQ(window->data().level().rulerRow, start.rulerRow + 1);
    EXPECT_EQ(ui.status[StatusField::X3D], formatText("%.5G", window->data().rowX(start.rulerRow + 1)));
    window->enterKey();
    EXPECT_EQ(window->data().levelIndex(), 1);
    EXPECT_TRUE(client.dispatchState(Cmd::ZoomOut)->enabled);
    window->deleteKey();
    EXPECT_EQ(window->data().levelIndex(), 0);

    // Palettes only colour filled cells; the chosen one is checked.
    client.dispatch(Cmd::PaletteHot);
    EXPECT_EQ(window->display.palette, 4);
    EXPECT_TRUE(client.dispatchState(Cmd::PaletteHot)->checked);
    window->f2Key();
    EXPECT_FALSE(client.dispatchState(Cmd::PaletteGray)->enabled);

    // Three presses of the shrink button from 800 x 630.
    for (int i = 0; i < 3; ++i)
        client.dispatch(Cmd::View3DNext);
    EXPECT_EQ(window->data().virtualWidth, 1064);
    EXPECT_EQ(window->data().virtualHeight, 838);
}

// A window of the Spectrogram form has no mesh view of its own: it goes to the dialog's defaults.
TEST_F(ThreeDWindowTest, ASpectrogramSwitchesToADefinedMeshView)
{
    marlune3DChild* window = timeFFT(tone(), Cmd::Spectrogram);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->data().elevation, 0);
    client.setActiveChild(window);
    EXPECT_TRUE(client.dispatchState(Cmd::SpectrogramView)->checked);
    client.dispatch(Cmd::SpectrogramView);
    EXPECT_EQ(window->data().azimuth, 15);
    EXPECT_EQ(window->data().elevation, 3);
    window->arrowKey(marlune3DChild::Arrow::Up, false);
    EXPECT_EQ(window->data().elevation, 4);
}

TEST_F(ThreeDWindowTest, PropertiesRecomputeWithTheWindowsOwnSettings)
{
    marluneMDIChild* parent = tone();
    marlune3DChild* window = timeFFT(parent);
    ASSERT_NE(window, nullptr);
    client.setActiveChild(window);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& settings = static_cast<FFTDefaultsForm&>(form);
        EXPECT_FALSE(settings.expansionEnabled());
        settings.show = 3;
        return form.accept();
    });
    client.dispatch(Cmd::Properties);
    EXPECT_EQ(window->spectral.show, 3);
    // The same rows as a Time FFT made afresh in dB.
    SpectralSettings decibels = builtInSpectralDefaults({});
    decibels.show = 3;
    FFTSignal expected;
    TapWindow tap;
    ASSERT_EQ(expected.createTimeFFT(*parent->signal(), window->data().parameters(), decibels, tap),
              FFTSignal::Result::Done);
    for (const uint32_t bin : {0u, 127u, 511u})
        EXPECT_EQ(window->data().value(3, bin), expected.value(3, bin)) << bin;
    EXPECT_EQ(client.spectralSettings.show, builtInSpectralDefaults({}).show) << "the application's stay";
}

// The rulers become signals that follow the ruler: along the rows at the ruler bin, along the bins at
// the ruler row, spaced as the axes.
TEST_F(ThreeDWindowTest, RulerSignalsFollowTheRuler)
{
    marlune3DChild* window = timeFFT(tone());
    ASSERT_NE(window, nullptr);
    client.setActiveChild(window);
    EXPECT_FALSE(client.dispatchState(Cmd::ExtractXRuler)->enabled) << "only while the ruler is on";
    window->tabKey();
    client.dispatch(Cmd::ExtractXRuler);
    auto* xRuler = signalWindowOf(client.windows().back());
    ASSERT_NE(xRuler, nullptr);
    EXPECT_EQ(xRuler->kind(), SignalKind::XRuler);
    EXPECT_EQ(xRuler->caption(), " 3#X-ruler( 2#Time-FFT: 1#tone)");
    const FFTSignal& data = window->data();
    const ViewLevel& level = data.level();
    ASSERT_EQ(xRuler->signal()->count(), uint32_t(level.rowCount));
    EXPECT_EQ(xRuler->signal()->samples()[3], data.value(uint32_t(level.firstRow + 3), uint32_t(level.rulerBin)));
    EXPECT_NEAR(double(xRuler->signal()->sampleRate()), 8000.0 / 997, 1e-9);
    EXPECT_DOUBLE_EQ(double(xRuler->signal()->xOffset()), data.rowX(level.firstRow));

    client.setActiveChild(window);
    client.dispatch(Cmd::ExtractYRuler);
    auto* yRuler = signalWindowOf(client.windows().back());
    ASSERT_NE(yRuler, nullptr);
    EXPECT_EQ(yRuler->kind(), SignalKind::YRuler);
    ASSERT_EQ(yRuler->signal()->count(), uint32_t(level.binCount));
    EXPECT_NEAR(double(yRuler->signal()->sampleRate()), 1 / 7.8125, 1e-12) << "one value per bin of 7.8125 Hz";

    // Moving the ruler one bin down gives the X ruler the values of that bin.
    const int32_t bin = level.rulerBin + 1;
    window->arrowKey(marlune3DChild::Arrow::Down, false);
    EXPECT_EQ(xRuler->signal()->samples()[3], data.value(uint32_t(level.firstRow + 3), uint32_t(bin)));
}

// "Axes settings..." keeps the labels it is given; the exports write the current level or say why not.
TEST_F(ThreeDWindowTest, AxesSettingsAndExportsOfTheCurrentLevel)
{
    marlune3DChild* window = timeFFT(tone());
    ASSERT_NE(window, nullptr);
    client.setActiveChild(window);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& axes = static_cast<ZAxisForm&>(form);
        axes.zLabel = "magnitude of the spectrum, long";
        return form.accept();
    });
    client.dispatch(Cmd::AxesSettings);
    EXPECT_EQ(window->display.zLabel, "magnitude of the sp") << "19 characters are kept";

    TempFolder folder;
    ui.saveAnswers.push_back((folder.path / "triples.txt").string());
    client.dispatch(Cmd::Export3DTriples);
    const std::string triples = readBytes(folder.path / "triples.txt");
    const ViewLevel& level = window->data().level();
    EXPECT_EQ(std::count(triples.begin(), triples.end(), '\n'), level.rowCount * level.binCount);

    ui.saveAnswers.push_back(folder.path.string());
    client.dispatch(Cmd::Export3DMatrix);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Could not open requested file! Check if some other application is using it.");
}

// Pictures come from a file or the clipboard, root windows seen from above with fill on.
TEST_F(ThreeDWindowTest, PicturesFromAMatrixFileAndFromTheClipboard)
{
    TempFolder folder;
    std::string bytes;
    for (const uint32_t word : {2u, 3u, 0u, 0u, 1u, 2u, 3u, 4u, 5u, 6u})
        bytes.append(reinterpret_cast<const char*>(&word), 4);
    writeBytes(folder.path / "m.dat", bytes);
    ui.openAnswers.push_back({(folder.path / "m.dat").string()});
    client.dispatch(Cmd::OpenPicture);
    auto* picture = static_cast<marlune3DChild*>(client.windows().back());
    ASSERT_EQ(picture->kind(), SignalKind::Picture);
    EXPECT_EQ(picture->caption(), " 1#m.dat");
    EXPECT_TRUE(picture->isRoot());
    EXPECT_EQ(picture->data().rows(), 3u);
    EXPECT_EQ(picture->data().value(2, 1), 6.0f);
    EXPECT_EQ(picture->data().elevation, 0);
    EXPECT_TRUE(picture->data().fillSegments);
    EXPECT_EQ(picture->data().level().zMax, 6.0f);

    writeBytes(folder.path / "broken.dat", "xx");
    ui.openAnswers.push_back({(folder.path / "broken.dat").string()});
    client.dispatch(Cmd::OpenPicture);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(client.windows().size(), 1u);

    client.setActiveChild(nullptr);
    EXPECT_FALSE(client.dispatchState(Cmd::ClipboardPicture)->enabled);
    ui.picture = RgbPicture{2, 1, {255, 0, 0, 1, 2, 3}};
    EXPECT_TRUE(client.dispatchState(Cmd::ClipboardPicture)->enabled);
    client.dispatch(Cmd::ClipboardPicture);
    auto* pasted = static_cast<marlune3DChild*>(client.windows().back());
    EXPECT_EQ(pasted->caption(), " 2#Clipboard picture") << "a file that could not be read made no window and took no number";
    EXPECT_EQ(pasted->data().value(0, 0), 255.0f);
    EXPECT_EQ(pasted->data().value(1, 0), 6.0f);
}

// The Z title of a Time FFT is the unit of its output form, as a spectrum's Y title is, and follows a change
// of the form in Properties unless the person wrote a title of their own.
TEST_F(ThreeDWindowTest, TheZTitleNamesTheOutputFormAndFollowsIt)
{
    const std::vector<std::string> expected{"Real part",       "Imaginary part", "Magnitude",    "dB (re 1/sqrt(N))",
                                            "Phase (degrees)", "dB (re 16384)",  "PSD (per Hz)", "Power (Welch)"};
    marluneMDIChild* parent = tone();
    for (int32_t show = 0; show < 8; ++show) {
        client.spectralSettings.show = show;
        marlune3DChild* window = timeFFT(parent);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->display.zLabel, expected[std::size_t(show)]);
        EXPECT_LE(window->display.zLabel.size(), 19u) << "labels are stored with 19 characters";
    }
    client.spectralSettings.show = 2;
    marlune3DChild* window = timeFFT(parent);
    ASSERT_NE(window, nullptr);
    const auto chooseForm = [this](int32_t show) {
        ui.formAnswers.push_back([show](DialogForm& form) {
            static_cast<FFTDefaultsForm&>(form).show = show;
            return form.accept();
        });
    };
    client.setActiveChild(window);
    chooseForm(3);
    client.dispatch(Cmd::Properties);
    EXPECT_EQ(window->display.zLabel, "dB (re 1/sqrt(N))");
    window->display.zLabel = "dBV";
    chooseForm(6);
    client.dispatch(Cmd::Properties);
    EXPECT_EQ(window->spectral.show, 6);
    EXPECT_EQ(window->display.zLabel, "dBV") << "the person's own title stays";
}
