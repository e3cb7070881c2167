#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "DftReference.h"
#include "support/NumpyReference.h"
#include "SpectrumTestSupport.h"

namespace {

// The Hanning values average 0.5 + 0.5 / L: the cosines over L + 1 intervals sum to −1 without i = L.
constexpr double HanningMean1024 = 0.5 + 0.5 / 1024;

}  // namespace

TEST(SpectrumOutput, SineOfAmplitudeTwoOnBinEightShowsTwoAtSampleSeven)
{
    SpectrumFixture f;
    f.make(plainSettings(), sine(1024, 2, 8, 1024));
    const std::vector<float> v = f.values();
    EXPECT_NEAR(v[7], 2.0, 1e-5);
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (i != 7) {
            EXPECT_NEAR(v[i], 0.0, 1e-5) << i;
        }
    }
}

TEST(SpectrumOutput, HanningHalvesThePeakAndThePowerDensityDividesByItsGain)
{
    const std::vector<float> x = sine(1024, 2, 8, 1024);
    SpectralSettings s = plainSettings();
    s.doTaper = 1;
    SpectrumFixture f;
    f.make(s, x);
    const std::string script = std::string(NumpyWindowFormulas)
                               + "y = x.astype(float)\ny = (y - y.mean()) * window(0, 1024)\n"
                                 "out(np.abs(2 * np.fft.rfft(y))[8] / 1024)\n";
    const std::vector<double> want = numpyValues(script, x);
    ASSERT_EQ(want.size(), 1u);
    EXPECT_NEAR(f.values()[7], want[0], 1e-6);
    EXPECT_NEAR(f.values()[7], 2 * HanningMean1024, 1e-3);

    // Same segments, so the density is the Welch power divided by rate / L and the gain 1.5.
    s.show = 7;
    SpectrumFixture welch;
    welch.make(s, x, 8000);
    s.show = 6;
    SpectrumFixture density;
    density.make(s, x, 8000);
    for (std::size_t i = 0; i < 512; ++i)
        EXPECT_NEAR(density.values()[i], welch.values()[i] / (8000.0 / 1024) / 1.5, 1e-7) << i;
}

TEST(SpectrumOutput, AllZerosGiveMinus120DecibelsAndZeroOtherwise)
{
    const std::vector<float> zeros(1000, 0.0f);
    for (int show = 0; show <= 5; ++show) {
        SpectralSettings s = plainSettings();
        s.doTaper = 1;
        s.show = show;
        SpectrumFixture f;
        f.make(s, zeros);
        const float want = show == 3 || show == 5 ? -120.0f : 0.0f;
        for (float v : f.values())
            ASSERT_EQ(v, want) << "show " << show;
    }
}

// Detrend, peak removal, mean and a Hamming taper against numpy's least-squares line and FFT;
// the phase is taken without the taper.
TEST(SpectrumOutput, EveryQuantityMatchesNumpyAfterConditioning)
{
    std::vector<float> x = randomValues(1000, 11);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] += 0.002f * float(i);
    x[100] = 8;
    x[500] = -6;
    const std::string script = std::string(NumpyWindowFormulas) + R"(
L = len(x); N = 1024
i = np.arange(L)
y = x.astype(float)
y = y - np.polyval(np.polyfit(i, y, 1), i)
mu = y.mean(); sd = y.std()
y = np.where(np.abs(y - mu) > 2 * sd, mu, y)
y = y - y.mean()
X = 2 * np.fft.rfft(y * window(1, L), N)[1:]
P = 2 * np.fft.rfft(y, N)[1:]
out(X.real / N); out(X.imag / N); out(np.abs(X) / N); out(10 * np.log10(np.abs(X) ** 2 / N))
out(np.degrees(np.angle(P))); out(20 * np.log10(np.abs(X) / (N / 2) * 2.0 ** -15)); out(np.abs(P))
)";
    const std::vector<double> want = numpyValues(script, x);
    ASSERT_EQ(want.size(), 7u * 512);
    const double largest = *std::max_element(want.begin() + 2 * 512, want.begin() + 3 * 512);
    const double* phaseMagnitude = want.data() + 6 * 512;
    const double largestPhase = *std::max_element(phaseMagnitude, phaseMagnitude + 512);
    for (int show = 0; show <= 5; ++show) {
        SpectralSettings s = plainSettings();
        s.doRemoveLinTrend = 1;
        s.doRemovePeaks = 1;
        s.doNormalize = 1;
        s.doTaper = 1;
        s.window = TapWindow::Hamming;
        s.show = show;
        SpectrumFixture f;
        f.make(s, x);
        const std::vector<float> v = f.values();
        const double* w = want.data() + show * 512;
        for (std::size_t j = 0; j < 512; ++j) {
            if (show <= 2) {
                EXPECT_NEAR(v[j], w[j], 2e-6 * largest) << "show " << show << " bin " << j;
            } else if (show != 4) {
                EXPECT_NEAR(v[j], w[j], 1e-2) << "show " << show << " bin " << j;
            } else if (phaseMagnitude[j] > 0.05 * largestPhase) {
                EXPECT_NEAR(std::remainder(v[j] - w[j], 360.0), 0.0, 1e-2) << "bin " << j;
            }
        }
    }
}

TEST(SpectrumOutput, SmoothingUsesANormalisedKernelWithMirroredEnds)
{
    const std::vector<float> x = randomValues(1000, 12);
    const std::string script = std::string(NumpyWindowFormulas) + R"(
m = np.abs(2 * np.fft.rfft(x.astype(float), 1024))[1:] / 1024
w = window(4, 5); w = w / w.sum()
out(np.correlate(np.pad(m, 2, mode='symmetric'), w, 'valid'))
)";
    const std::vector<double> want = numpyValues(script, x);
    ASSERT_EQ(want.size(), 512u);
    SpectralSettings s = plainSettings();
    s.doSmooth = 1;
    s.smoothWindow = TapWindow::Triangle;
    s.smoothLen = 4;
    SpectrumFixture f;
    f.make(s, x);
    for (std::size_t j = 0; j < 512; ++j)
        EXPECT_NEAR(f.values()[j], want[j], 1e-5) << j;
}

TEST(SpectrumOutput, ANegativeSmoothingLengthDoesNotSmooth)
{
    const std::vector<float> x = randomValues(1000, 13);
    SpectrumFixture plain;
    plain.make(plainSettings(), x);
    SpectralSettings s = plainSettings();
    s.doSmooth = 1;
    s.smoothLen = -5;
    SpectrumFixture f;
    f.make(s, x);
    EXPECT_EQ(f.values(), plain.values());
}
