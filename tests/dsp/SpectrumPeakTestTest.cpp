#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DftReference.h"
#include "SpectrumTestSupport.h"
#include "dsp/SpectrumPeakTest.h"

// By hand: m = 9, threshold (1 − (0.05 / 9)^(1/8)) × 0.6 ≈ 0.287, critical value ≈ 0.211. Only 10 / 9
// is above the threshold; once it is replaced the sum of the others drops to 0 and the test stops.
TEST(SpectrumPeakTest, OneClearPeakIsAllThatRemains)
{
    std::vector<float> x{1, 1, 1, 1, 1, 1, 1, 1, 1, 10};
    keepSignificantPeaks(x.data(), x.size(), 5);
    EXPECT_EQ(x, (std::vector<float>{0, 0, 0, 0, 0, 0, 0, 0, 0, 10}));
}

TEST(SpectrumPeakTest, WhiteNoiseLeavesMostBinsZero)
{
    SpectralSettings s = plainSettings();
    s.doTestPeaks = 1;
    s.testPeaksLevel = 5;
    SpectrumFixture f;
    f.make(s, randomValues(4096, 31));
    const std::vector<float> v = f.values();
    const auto nonZero = std::count_if(v.begin(), v.end(), [](float y) { return y != 0; });
    EXPECT_LT(nonZero, std::ptrdiff_t(v.size() / 20));
}

TEST(SpectrumPeakTest, ASineInNoiseKeepsItsBin)
{
    std::vector<float> x = sine(4096, 1, 100, 4096);
    const std::vector<float> noise = randomValues(4096, 32);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] += 0.1f * noise[i];
    SpectralSettings s = plainSettings();
    s.doTestPeaks = 1;
    s.testPeaksLevel = 1;
    SpectrumFixture f;
    f.make(s, x);
    EXPECT_NEAR(f.values()[99], 1.0, 0.01);
}
