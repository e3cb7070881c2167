#include "tree/TreeFixture.h"

#include <cmath>

#include "settings/FFTDefaultsForm.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/SpectrumSignal.h"

namespace {
// A sine of amplitude 2 with exactly `periods` periods in `n` samples.
std::unique_ptr<Signal> sine(uint32_t n, double periods, long double rate)
{
    std::vector<float> v(n);
    for (uint32_t i = 0; i < n; ++i)
        v[i] = float(2 * std::sin(2 * M_PI * periods * i / n));
    return std::make_unique<Signal>(nullptr, SignalKind::FileSignal, v.data(), n, rate);
}
}  // namespace

class SpectrumWindowTest : public TreeTest {
protected:
    void SetUp() override
    {
        client.spectralSettings = builtInSpectralDefaults({});
        client.spectralSettings.doTaper = 0;
    }
    marluneMDIChild* sineWindow(uint32_t n = 1024, double periods = 8, long double rate = 8000)
    {
        auto w = std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, sine(n, periods, rate));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#sine-1");
        auto* window = static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
        client.setActiveChild(window);
        return window;
    }
    marluneMDIChild* fftOfActive()
    {
        const auto before = client.windows().size();
        client.dispatch(101);
        return client.windows().size() > before ? static_cast<marluneMDIChild*>(client.windows().back()) : nullptr;
    }
};

TEST_F(SpectrumWindowTest, FftCommandNeedsMoreThanSevenSamples)
{
    sineWindow(7, 1);
    EXPECT_EQ(fftOfActive(), nullptr);
    auto* parent = sineWindow(8, 1);
    auto* spectrum = fftOfActive();
    ASSERT_NE(spectrum, nullptr);
    EXPECT_EQ(spectrum->caption(), " 3#FFT( 2#sine-1)") << "the refused FFT did not take a number";
    EXPECT_EQ(spectrum->xLabel(), "Hz");
    EXPECT_EQ(spectrum->yLabel(), "Magnitude") << "the default output form";
    EXPECT_EQ(spectrum->curveColour(), (Rgb{255, 0, 0}));
    EXPECT_EQ(spectrum->icon(), 56);
    EXPECT_EQ(spectrum->parent(), parent);
    EXPECT_TRUE(spectrum->linked());
}

TEST_F(SpectrumWindowTest, SpectrumOfTheVisiblePartWithItsAxis)
{
    auto* parent = sineWindow(1024, 8, 8000);
    auto* spectrum = fftOfActive();
    ASSERT_NE(spectrum, nullptr);
    const Signal& s = *spectrum->signal();
    ASSERT_EQ(s.count(), 512u);
    EXPECT_NEAR(double(s.xOfIndex(0)), 7.8125, 1e-9);
    EXPECT_NEAR(double(s.xOfIndex(511)), 4000.0, 1e-6);
    EXPECT_NEAR(s.samples()[7], 2.0f, 1e-4f) << "amplitude 2 on bin 8";
    EXPECT_NEAR(s.samples()[20], 0.0f, 1e-4f);

    // Zooming the parent recomputes the spectrum of the new visible part once.
    parent->subscribe(view);
    parent->setSelection(SampleSelection{{0, 999}, {0, 999}});
    const int waitsBefore = ui.waitCursorsShown;
    ASSERT_TRUE(parent->zoomIn());
    EXPECT_GT(ui.waitCursorsShown, waitsBefore) << "the recomputation shows the wait cursor";
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_EQ(spectrum->signal()->count(), 512u);
    EXPECT_EQ(parent->signal()->visibleCount(), 1000u);
    parent->setSelection(SampleSelection{{0, 499}, {0, 499}});
    ASSERT_TRUE(parent->zoomIn());
    EXPECT_EQ(spectrum->signal()->count(), 256u) << "500 samples round up to 512 points";
}

TEST_F(SpectrumWindowTest, ChainRecomputesOnceEachAndStopsWhenUnlinked)
{
    auto* parent = sineWindow();
    auto* spectrum = fftOfActive();
    derived("smooth", {spectrum});
    parent->updateAfterChange();
    EXPECT_EQ(log, (std::vector<std::string>{"smooth"}));
    client.setActiveChild(spectrum);
    client.dispatch(103);
    const float before = spectrum->signal()->samples()[7];
    parent->signal()->fill(0, 1023, 0.0f);
    parent->updateAfterChange();
    EXPECT_EQ(spectrum->signal()->samples()[7], before);
    EXPECT_EQ(log.size(), 1u);
    client.closeWindow(parent);
    EXPECT_TRUE(spectrum->isRoot());
}

TEST_F(SpectrumWindowTest, AveragingSpectrumPassesEveryFourthUpdateOn)
{
    client.spectralSettings.type = 1;
    client.spectralSettings.average = 4;
    auto* parent = sineWindow();
    auto* spectrum = fftOfActive();
    ASSERT_NE(spectrum, nullptr);
    derived("child", {spectrum});
    int passed = 0;
    for (int update = 1; update <= 12; ++update) {
        log.clear();
        parent->updateAfterChange();
        passed += int(log.size());
        EXPECT_EQ(spectrum->notificationsExpected(), 0);
    }
    EXPECT_EQ(passed, 3);
}

TEST_F(SpectrumWindowTest, PropertiesEditTheWindowsOwnSettingsAndRecompute)
{
    sineWindow();
    auto* spectrum = fftOfActive();
    derived("child", {spectrum});
    client.setActiveChild(spectrum);
    ui.formAnswers.push_back([](DialogForm& form) {
        auto& settings = static_cast<FFTDefaultsForm&>(form);
        settings.show = 3;
        return true;
    });
    client.dispatch(6);
    EXPECT_EQ(ui.formsShown.back(), "FFTDefaults");
    EXPECT_EQ(spectrum->signal()->spectral.show, 3);
    EXPECT_EQ(client.spectralSettings.show, 2) << "the application-wide record stays";
    EXPECT_GT(spectrum->signal()->samples()[7], 0.0f) << "now in dB";
    EXPECT_EQ(log, (std::vector<std::string>{"child"}));
}

TEST_F(SpectrumWindowTest, TheYLabelNamesTheOutputFormAndFollowsItUnlessThePersonWroteOne)
{
    const std::vector<std::string> expected{"Real part",       "Imaginary part", "Magnitude",    "dB (re 1/sqrt(N))",
                                            "Phase (degrees)", "dB (re 16384)",  "PSD (per Hz)", "Power (Welch)"};
    for (int32_t show = 0; show < 8; ++show) {
        client.spectralSettings.show = show;
        sineWindow();
        auto* spectrum = fftOfActive();
        ASSERT_NE(spectrum, nullptr);
        EXPECT_EQ(spectrum->yLabel(), expected[std::size_t(show)]);
        EXPECT_LE(spectrum->yLabel().size(), 19u) << "labels are stored with 19 characters";
    }
    // The dB of output 3 are relative to a magnitude of 1/sqrt(N): a sine of amplitude 2 on a bin of a
    // 1024-point transform reads 20 log10(2) + 10 log10(1024).
    client.spectralSettings.show = 3;
    sineWindow();
    EXPECT_NEAR(fftOfActive()->signal()->samples()[7], 20 * std::log10(2.0) + 10 * std::log10(1024.0), 1e-3);
    // Output 5 is relative to a magnitude of 16384: amplitude 2 reads 20 log10(2 / 16384).
    client.spectralSettings.show = 5;
    sineWindow();
    auto* toMax = fftOfActive();
    EXPECT_NEAR(toMax->signal()->samples()[7], 20 * std::log10(2.0 / 16384), 1e-3);

    const auto chooseForm = [this](int32_t show) {
        ui.formAnswers.push_back([show](DialogForm& form) {
            static_cast<FFTDefaultsForm&>(form).show = show;
            return true;
        });
    };
    client.setActiveChild(toMax);
    chooseForm(6);
    client.dispatch(6);
    EXPECT_EQ(toMax->yLabel(), "PSD (per Hz)");
    toMax->setYLabel("V/sqrt(Hz)");
    chooseForm(2);
    client.dispatch(6);
    EXPECT_EQ(toMax->yLabel(), "V/sqrt(Hz)") << "the person's own label stays";
}

TEST(FFTDefaultsForm, RefusesWrongSettingsAndKeepsTheRecord)
{
    ScriptedUi ui;
    const SpectralSettings original = builtInSpectralDefaults({});
    FFTDefaultsForm form(ui, original, FFTDefaultsForm::Context::Defaults);
    EXPECT_EQ(form.confidence, 0) << "level 5 shows 95";
    for (auto change : std::vector<std::function<void(FFTDefaultsForm&)>>{
             [](FFTDefaultsForm& f) { f.peakLimit = "0"; }, [](FFTDefaultsForm& f) { f.peakLimit = "101"; },
             [](FFTDefaultsForm& f) { f.smoothLength = "0"; }, [](FFTDefaultsForm& f) { f.smoothLength = "-3"; },
             [](FFTDefaultsForm& f) { f.averages = "100"; }}) {
        FFTDefaultsForm bad(ui, original, FFTDefaultsForm::Context::Defaults);
        change(bad);
        EXPECT_FALSE(bad.accept());
        EXPECT_EQ(bad.result(), original);
    }
    EXPECT_EQ(ui.messages.size(), 5u);
    EXPECT_EQ(ui.messages[0].text, "Wrong settings !!");
    form.confidence = 1;
    form.peakLimit = "2.9";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(form.result().testPeaksLevel, 1);
    EXPECT_EQ(form.result().removePeaksVal, 2) << "read as a real and truncated";
    EXPECT_FALSE(FFTDefaultsForm(ui, original, FFTDefaultsForm::Context::TimeFFT).expansionEnabled());
}
