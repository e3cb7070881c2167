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
    keepSignificantPeaks(x, 5);
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

// The test compares shares of the sum, so the unit of the signal cannot decide which peaks survive.
TEST(SpectrumPeakTest, TheSameSignalAtAnyScaleKeepsTheSameBins)
{
    const std::vector<float> base = sine(4096, 1, 100, 4096);
    const std::vector<float> noise = randomValues(4096, 33);
    for (const int32_t level : {5, 1}) {
        SpectralSettings s = plainSettings();
        s.doTestPeaks = 1;
        s.testPeaksLevel = level;
        std::vector<std::vector<std::size_t>> kept;
        for (const double scale : {1.0, 1000.0, 0.001}) {
            std::vector<float> x(base.size());
            for (std::size_t i = 0; i < x.size(); ++i)
                x[i] = float(scale * (base[i] + 0.1 * noise[i]));
            SpectrumFixture f;
            f.make(s, x);
            const std::vector<float> v = f.values();
            std::vector<std::size_t> bins;
            for (std::size_t i = 0; i < v.size(); ++i)
                if (v[i] != 0)
                    bins.push_back(i);
            kept.push_back(bins);
        }
        EXPECT_NE(std::find(kept[0].begin(), kept[0].end(), 99u), kept[0].end()) << "level " << level;
        EXPECT_EQ(kept[1], kept[0]) << "level " << level;
        EXPECT_EQ(kept[2], kept[0]) << "level " << level;
    }
}
