#include <gtest/gtest.h>

#include <string>

#include "DftReference.h"
#include "support/NumpyReference.h"
#include "SpectrumTestSupport.h"

TEST(SpectrumAveraging, FourAveragesChangeTheValuesOnEveryFourthSpectrum)
{
    SpectralSettings s = plainSettings();
    s.type = 1;
    s.average = 4;
    SpectrumFixture f;
    // Sines of amplitude 1, 2, … in phase on bin 8: the complex mean of four has the mean amplitude.
    SpectrumSignal& spectrum = f.make(s, sine(1024, 1, 8, 1024));
    EXPECT_EQ(f.values()[7], 0.0f);
    EXPECT_TRUE(spectrum.averageIncompleteAfterNextUpdate());
    using Result = SpectrumSignal::UpdateResult;
    const Result expected[] = {Result::AverageIncomplete, Result::AverageIncomplete, Result::Updated,
                               Result::AverageIncomplete, Result::AverageIncomplete, Result::AverageIncomplete,
                               Result::Updated};
    const float shown[] = {0, 0, 2.5f, 2.5f, 2.5f, 2.5f, 6.5f};
    const bool incompleteNext[] = {true, false, true, true, true, false, true};
    for (int k = 0; k < 7; ++k) {
        const std::vector<float> x = sine(1024, k + 2, 8, 1024);
        EXPECT_EQ(spectrum.update(s, x.data(), 1024, 8000, f.tap), expected[k]) << k;
        EXPECT_NEAR(f.values()[7], shown[k], 1e-5) << k;
        EXPECT_EQ(spectrum.averageIncompleteAfterNextUpdate(), incompleteNext[k]) << k;
    }
}

TEST(SpectrumAveraging, RebuildingStartsTheAverageAgain)
{
    SpectralSettings s = plainSettings();
    s.type = 1;
    s.average = 2;
    SpectrumFixture f;
    SpectrumSignal& spectrum = f.make(s, sine(1024, 1, 8, 1024));
    s.doExpandWithZeros = 1;
    const std::vector<float> x = sine(1024, 3, 8, 1024);
    EXPECT_EQ(spectrum.update(s, x.data(), 1024, 8000, f.tap), SpectrumSignal::UpdateResult::AverageIncomplete);
    EXPECT_EQ(spectrum.count(), 1024u);
    EXPECT_EQ(spectrum.update(s, x.data(), 1024, 8000, f.tap), SpectrumSignal::UpdateResult::Updated);
    // Doubled by zeros, the transform spreads amplitude 3 over twice the length: 1.5 on bin 16.
    EXPECT_NEAR(f.values()[15], 1.5, 1e-4);
}

// 1000 samples at 8000 Hz: segments of 512 / 4 = 128 samples every 64, fourteen of them.
TEST(SpectrumAveraging, WelchAndDensityMatchNumpyOverTheSameSegments)
{
    const std::vector<float> x = randomValues(1000, 21);
    const std::string script = std::string(NumpyWindowFormulas) + R"(
L = len(x); N = 1024; n = 512; S = n // 4; hop = S // 2; rate = 8000.0
acc = np.zeros(n + 1); count = 0; s = 0
while s == 0 or S + hop * s < L:
    seg = x[s * hop : s * hop + S].astype(float)
    seg = (seg - seg.mean()) * window(0, S)
    acc += np.abs(2 * np.fft.rfft(seg, N)); count += 1; s += 1
avg = acc / count
out(count); out(avg[1:] / N); out(avg[1:] / (N * (rate / L) * 1.5))
)";
    const std::vector<double> want = numpyValues(script, x);
    ASSERT_EQ(want.size(), 1u + 2 * 512);
    EXPECT_EQ(want[0], 14);
    for (int show : {7, 6}) {
        SpectralSettings s = plainSettings();
        s.doTaper = 1;
        s.show = show;
        SpectrumFixture f;
        f.make(s, x, 8000);
        const double* w = want.data() + 1 + (show == 7 ? 0 : 512);
        for (std::size_t j = 0; j < 512; ++j)
            EXPECT_NEAR(f.values()[j], w[j], 1e-6 * w[0] + 1e-7) << "show " << show << " bin " << j;
    }
}
