#include "tree/TreeFixture.h"

#include <algorithm>
#include <cmath>

#include "settings/FFTDefaultsForm.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/CALCSignal.h"
#include "support/AddressSpaceLimit.h"
#include "tree/CalcForm.h"
#include "tree/CalcWindows.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"

namespace {
class CalcWindowTest : public TreeTest {
protected:
    // A file window of the given samples at `rate`.
    marluneMDIChild* signalOf(const std::vector<float>& values, long double rate = 1000)
    {
        auto w = std::make_unique<marluneMDIChild>(
            client, SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, values.data(), uint32_t(values.size()), rate));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#file");
        return static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
    }

    static long double op(char code) { return CalcOperator::byCode(code)->element(); }

    marluneMDIChild* calc(std::vector<long double> elements)
    {
        return CalcWindows::create(client, CalcProgram(std::move(elements)), client.spectralSettings);
    }

    static std::vector<float> values(const marluneMDIChild& w)
    {
        const Signal& s = *w.signal();
        return {s.visibleSamples(), s.visibleSamples() + s.visibleCount()};
    }

    static int samplesHeard(const FakeView& v)
    {
        return int(std::count(v.heard.begin(), v.heard.end(), ChildChange::Samples));
    }
};
}  // namespace

// 1 − 2 with 1000 and 800 samples gives 800; the title numbers the operands; both are parents and
// the first decides the rate and the X of the first sample.
TEST_F(CalcWindowTest, DifferenceOfUnequalOperands)
{
    std::vector<float> a(1000), b(800);
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = float(i);
    std::fill(b.begin(), b.end(), 1.0f);
    marluneMDIChild* first = signalOf(a, 1000);
    marluneMDIChild* second = signalOf(b, 8000);
    ASSERT_TRUE(first->signal()->zoomIn(100, 999));
    marluneMDIChild* result = calc({double(first->index()), op('-'), double(second->index())});
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->caption(), " 3#CALC( 1- 2)");
    EXPECT_EQ(result->kind(), SignalKind::Calculator);
    EXPECT_EQ(result->parents(), (std::vector<marluneChild*>{first, second}));
    EXPECT_EQ(result->parent(), first);
    const Signal& s = *result->signal();
    ASSERT_EQ(s.count(), 800u);
    EXPECT_EQ(s.sampleRate(), 1000);
    EXPECT_EQ(s.xOffset(), 0.1L);
    EXPECT_EQ(s.samples()[0], 99);
    EXPECT_EQ(s.samples()[799], 898);
    EXPECT_FALSE(result->invalid());
}

TEST_F(CalcWindowTest, UnaryOperatorsAndUndefinedValues)
{
    marluneMDIChild* w = signalOf({-4, 9, 0, 16});
    marluneMDIChild* z = signalOf({2, 0, 0, -4});
    marluneMDIChild* root = calc({op('s'), double(w->index())});
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(values(*root), (std::vector<float>{0, 3, 0, 4}));
    EXPECT_EQ(root->caption(), " 3#CALC( sqrt 1)");
    marluneMDIChild* quotient = calc({double(w->index()), op('/'), double(z->index())});
    EXPECT_EQ(values(*quotient), (std::vector<float>{-2, 0, 0, -4}));
    // Strictly left to right: 1 + 1 * 2 is (1 + 1) * 2.
    marluneMDIChild* chain = calc({double(w->index()), op('+'), double(w->index()), op('*'), double(z->index())});
    EXPECT_EQ(values(*chain), (std::vector<float>{-16, 0, 0, -128}));
    EXPECT_EQ(chain->parents().size(), 2u);
}

// A change of an operand recomputes the result once, also when it reaches the result twice (directly
// and through a window derived from it); a zoomed result keeps its range.
TEST_F(CalcWindowTest, EveryChangeRecomputesOnceAndKeepsTheZoom)
{
    marluneMDIChild* a = fileWindow(1000);
    marluneMDIChild* smoothed = DerivedWindows::create(client, *a, SignalKind::Smoothed, {0, 5});
    ASSERT_NE(smoothed, nullptr);
    marluneMDIChild* result = calc({double(a->index()), op('-'), double(smoothed->index())});
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(result->signal()->zoomIn(10, 29));
    FakeView heard;
    result->subscribe(heard);
    ASSERT_TRUE(a->signal()->zoomIn(100, 899));
    a->updateAfterChange();
    EXPECT_EQ(samplesHeard(heard), 1);
    EXPECT_EQ(result->signal()->count(), 800u);
    EXPECT_EQ(result->signal()->firstVisible(), 10u);
    EXPECT_EQ(result->signal()->lastVisible(), 29u);
    EXPECT_EQ(result->signal()->samples()[0], a->signal()->visibleSamples()[0] - smoothed->signal()->samples()[0]);

    // The smoothed window alone changes: once more.
    smoothed->updateAfterChange();
    EXPECT_EQ(samplesHeard(heard), 2);
    result->unsubscribe(heard);
}

// A spectral operator gives a frequency axis from the operand's rate and offers the settings.
TEST_F(CalcWindowTest, SpectralResultHasAFrequencyAxisAndProperties)
{
    std::vector<float> x(1000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = float(std::sin(0.3 * double(i)));
    client.spectralSettings = builtInSpectralDefaults({});
    const int32_t defaultLength = client.spectralSettings.smoothLen;
    marluneMDIChild* a = signalOf(x, 8000);
    marluneMDIChild* plain = calc({double(a->index()), op('+'), double(a->index())});
    EXPECT_FALSE(plain->commandState(Cmd::Properties));
    EXPECT_EQ(plain->xLabel(), a->xLabel());

    marluneMDIChild* coherence = calc({double(a->index()), op('C'), double(a->index())});
    ASSERT_NE(coherence, nullptr);
    const Signal& s = *coherence->signal();
    ASSERT_EQ(s.count(), 512u);
    EXPECT_EQ(s.xOffset(), 8000.0L / 1024);
    EXPECT_EQ(s.sampleRate(), 511 / (4000 - 8000.0L / 1024));
    EXPECT_EQ(coherence->xLabel(), "Hz");
    ASSERT_TRUE(coherence->commandState(Cmd::Properties));
    EXPECT_TRUE(coherence->commandState(Cmd::Properties)->enabled);

    // Properties edit the window's own copy and recompute it.
    ui.formAnswers.push_back([](DialogForm& form) {
        static_cast<FFTDefaultsForm&>(form).smoothLength = "9";
        return form.accept();
    });
    EXPECT_TRUE(coherence->command(Cmd::Properties));
    EXPECT_EQ(static_cast<const CALCSignal&>(*coherence->signal()).spectral.smoothLen, 9);
    EXPECT_EQ(client.spectralSettings.smoothLen, defaultLength);

    // Too few common values: an invalid window, recomputed once the operand grows.
    marluneMDIChild* shortOne = signalOf({1, 2});
    marluneMDIChild* invalid = calc({double(a->index()), op('S'), double(shortOne->index())});
    ASSERT_NE(invalid, nullptr);
    EXPECT_TRUE(invalid->invalid());
}

// The dialog: ">" and the buttons follow the grammar, selecting flashes, closing un-flashes, an
// expression that ends in an operator is refused and the dialog stays open.
TEST_F(CalcWindowTest, DialogBuildsTheExpression)
{
    marluneMDIChild* a = signalOf({1, 2, 3, 4});
    marluneMDIChild* b = signalOf({4, 3, 2, 1});
    ui.formAnswers.push_back([&](DialogForm& dialog) {
        auto& form = static_cast<CalcForm&>(dialog);
        EXPECT_EQ(form.available().size(), 2u);
        EXPECT_FALSE(form.addSelected());
        form.select(0);
        EXPECT_TRUE(a->flashing());
        EXPECT_FALSE(form.addOperator(*CalcOperator::byCode('-')));
        EXPECT_TRUE(form.addOperator(*CalcOperator::byCode('s')));
        EXPECT_FALSE(form.addOperator(*CalcOperator::byCode('2')));
        EXPECT_TRUE(form.addSelected());
        EXPECT_FALSE(form.addSelected());
        EXPECT_TRUE(form.addOperator(*CalcOperator::byCode('*')));
        EXPECT_FALSE(form.accept());
        form.select(1);
        EXPECT_FALSE(a->flashing());
        EXPECT_TRUE(b->flashing());
        EXPECT_TRUE(form.addSelected());
        EXPECT_EQ(form.expressionList(),
                  (std::vector<std::string>{"           sqrt", a->caption(), "              *", b->caption()}));
        form.clear();
        EXPECT_TRUE(form.expressionList().empty());
        form.select(0);
        form.addSelected();
        form.addOperator(*CalcOperator::byCode('*'));
        form.select(1);
        form.addSelected();
        return form.accept();
    });
    EXPECT_TRUE(client.dispatch(Cmd::Calculator));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(a->flashing());
    EXPECT_FALSE(b->flashing());
    auto* result = static_cast<marluneMDIChild*>(client.windows().back());
    EXPECT_EQ(result->caption(), " 3#CALC( 1* 2)");
    EXPECT_EQ(values(*result), (std::vector<float>{4, 6, 6, 4}));

    // Cancel makes nothing and leaves nothing flashing.
    ui.formAnswers.push_back([](DialogForm& dialog) {
        static_cast<CalcForm&>(dialog).select(1);
        return false;
    });
    const std::size_t before = client.windows().size();
    EXPECT_TRUE(client.dispatch(Cmd::Calculator));
    EXPECT_EQ(client.windows().size(), before);
    EXPECT_FALSE(b->flashing());
}

// Closing an operand leaves the result as a root with its last values; nothing recomputes it.
TEST_F(CalcWindowTest, ClosedOperandLeavesTheResultAsItWas)
{
    marluneMDIChild* a = signalOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    marluneMDIChild* b = signalOf({1, 1, 1});
    marluneMDIChild* result = calc({double(a->index()), op('+'), double(b->index())});
    client.closeWindow(b);
    EXPECT_TRUE(result->isRoot());
    ASSERT_TRUE(a->signal()->zoomIn(1, 11));
    a->updateAfterChange();
    EXPECT_EQ(values(*result), (std::vector<float>{2, 3, 4}));
    // A program naming a window that is gone makes no window.
    EXPECT_EQ(calc({double(a->index()), op('+'), 77}), nullptr);
}

// Work blocks that cannot be had: the message, no window, the operands untouched.
TEST_F(CalcWindowTest, NoMemoryForTheWorkBlock)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    const std::vector<float> big(20'000'000, 1.0f);
    marluneMDIChild* a = signalOf(big);
    const std::size_t before = client.windows().size();
    {
        const AddressSpaceLimit limit(48u << 20);
        EXPECT_EQ(calc({double(a->index()), op('+'), double(a->index())}), nullptr);
    }
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"No more memory for CALC!!!"}));
    EXPECT_EQ(client.windows().size(), before);
    EXPECT_EQ(a->signal()->count(), 20'000'000u);
}

// A spectral operator's result is titled with its measure's unit; a combination of spectra keeps the unit
// of its first operand, the spectrum's output form.
TEST_F(CalcWindowTest, SpectralResultsSayTheirUnit)
{
    std::vector<float> x(1024);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = float(std::sin(0.3 * double(i)));
    client.spectralSettings = builtInSpectralDefaults({});
    marluneMDIChild* a = signalOf(x, 8000);
    a->setYLabel("V");
    const double ai = a->index();
    const std::vector<std::pair<char, std::string>> units{{'S', "Cross spectrum"},   {'D', "dBr (x re y)"},
                                                          {'C', "Coherence (0 ... 1)"}, {'G', "Gain (y / x)"},
                                                          {'P', "Phase (degrees)"}};
    for (const auto& [code, unit] : units) {
        marluneMDIChild* result = calc({ai, op(code), ai});
        ASSERT_NE(result, nullptr) << code;
        EXPECT_EQ(result->yLabel(), unit) << code;
        EXPECT_LE(result->yLabel().size(), 19u);
    }
    client.spectralSettings.show = 3;
    EXPECT_EQ(calc({ai, op('S'), ai})->yLabel(), "Cross spectrum (dB)");
    EXPECT_EQ(calc({ai, op('+'), ai})->yLabel(), "V");

    client.spectralSettings.show = 6;
    marluneMDIChild* spectrum = DerivedWindows::create(client, *a, SignalKind::Spectrum);
    ASSERT_NE(spectrum, nullptr);
    ASSERT_EQ(spectrum->yLabel(), "PSD (per Hz)");
    const double si = spectrum->index();
    EXPECT_EQ(calc({si, op('-'), si})->yLabel(), "PSD (per Hz)");
}
