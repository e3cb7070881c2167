#include "tree/TreeFixture.h"

#include <cmath>
#include <vector>

#include "dsp/CalcOperator.h"
#include "tree/CalcWindows.h"
#include "tree/DerivedWindows.h"
#include "tree/XAxisUnit.h"
#include "tree/marlune3DChild.h"

namespace {
class XAxisUnitTest : public TreeTest {
protected:
    marluneMDIChild* sine()
    {
        std::vector<float> x(4096);
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = float(std::sin(0.3 * double(i)));
        auto w = std::make_unique<marluneMDIChild>(
            client, SignalKind::FileSignal,
            std::make_unique<Signal>(nullptr, SignalKind::FileSignal, x.data(), uint32_t(x.size()), 8000.0L, 7000.0L));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#file");
        return static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
    }
    marluneMDIChild* child(marluneChild& parent, int32_t kind, const PendingParameters& p = {})
    {
        marluneMDIChild* window = DerivedWindows::create(client, parent, kind, p);
        EXPECT_NE(window, nullptr) << kind;
        return window;
    }
    static long double op(char code) { return CalcOperator::byCode(code)->element(); }
};
}  // namespace

// Seconds follow the derivation: a recording and what is computed in the time domain from it, a
// cepstrum (quefrency) and a Time FFT's rows count seconds; a spectrum and all below it, a spectral
// calculator result and a Time FFT's bins count hertz. The kind decides, not the title the person wrote.
TEST_F(XAxisUnitTest, SecondsFollowTheDerivation)
{
    marluneMDIChild* file = sine();
    EXPECT_TRUE(XAxisUnit::seconds(*file));
    file->setXLabel("Frequency");
    EXPECT_TRUE(XAxisUnit::seconds(*file));
    marluneMDIChild* smoothed = child(*file, SignalKind::Smoothed, {0, 5});
    EXPECT_TRUE(XAxisUnit::seconds(*smoothed));
    EXPECT_TRUE(XAxisUnit::seconds(*child(*smoothed, SignalKind::Detrended)));
    EXPECT_TRUE(XAxisUnit::seconds(*child(*file, SignalKind::Cepstrum)));

    marluneMDIChild* spectrum = child(*file, SignalKind::Spectrum);
    EXPECT_FALSE(XAxisUnit::seconds(*spectrum));
    EXPECT_FALSE(XAxisUnit::seconds(*child(*spectrum, SignalKind::Smoothed, {0, 5})));
    EXPECT_FALSE(XAxisUnit::seconds(*child(*spectrum, SignalKind::PeakHold)));

    const double a = file->index();
    marluneMDIChild* sum = CalcWindows::create(client, CalcProgram({a, op('+'), a}), client.spectralSettings);
    ASSERT_NE(sum, nullptr);
    EXPECT_TRUE(XAxisUnit::seconds(*sum));
    marluneMDIChild* coherence = CalcWindows::create(client, CalcProgram({a, op('C'), a}), client.spectralSettings);
    ASSERT_NE(coherence, nullptr);
    EXPECT_FALSE(XAxisUnit::seconds(*coherence));
    const double s = spectrum->index();
    marluneMDIChild* ofSpectra = CalcWindows::create(client, CalcProgram({s, op('-'), s}), client.spectralSettings);
    ASSERT_NE(ofSpectra, nullptr);
    EXPECT_FALSE(XAxisUnit::seconds(*ofSpectra));

    marlune3DChild* timeFFT = marlune3DChild::createTimeFFT(client, *file, {256, 10, 15, 3, 31.25, 4000});
    ASSERT_NE(timeFFT, nullptr);
    timeFFT->data().rulerOn = true;
    EXPECT_TRUE(XAxisUnit::seconds(*child(*timeFFT, SignalKind::XRuler)));
    EXPECT_FALSE(XAxisUnit::seconds(*child(*timeFFT, SignalKind::YRuler)));
    // A log's rows count entries; its bins are its parent's X.
    marlune3DChild* log = marlune3DChild::createLog(client, *file, 10);
    ASSERT_NE(log, nullptr);
    log->data().rulerOn = true;
    EXPECT_FALSE(XAxisUnit::seconds(*child(*log, SignalKind::XRuler)));
    EXPECT_TRUE(XAxisUnit::seconds(*child(*log, SignalKind::YRuler)));
    marlune3DChild* spectrumLog = marlune3DChild::createLog(client, *spectrum, 10);
    ASSERT_NE(spectrumLog, nullptr);
    spectrumLog->data().rulerOn = true;
    EXPECT_FALSE(XAxisUnit::seconds(*child(*spectrumLog, SignalKind::YRuler)));
}
