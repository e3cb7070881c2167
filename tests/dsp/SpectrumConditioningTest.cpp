#include <gtest/gtest.h>

#include <vector>

#include "dsp/SpectrumConditioning.h"

TEST(SpectrumConditioning, DetrendingAStraightLineLeavesZeros)
{
    std::vector<float> x{1, 2, 3, 4};
    removeLinearTrend(x.data(), x.size());
    for (float v : x)
        EXPECT_NEAR(v, 0.0, 1e-6);
}

// Mean 2.5 and σ ≈ 4.33: only 10 lies beyond one deviation.
TEST(SpectrumConditioning, PeakRemovalReplacesOutliersByTheMean)
{
    std::vector<float> x{0, 0, 0, 10};
    removePeaks(x.data(), x.size(), 1);
    EXPECT_EQ(x, (std::vector<float>{0, 0, 0, 2.5f}));
}

TEST(SpectrumConditioning, PackingCentresTapersAndExpands)
{
    const std::vector<float> block{3, 5, 7, 9, 11};
    const double taper[] = {1, 0.5, 0.25, 2, 1};
    std::vector<float> re(4, -1), im(4, -1);
    packConditioned(block.data(), block.size(), 7, taper, re.data(), im.data(), 4);
    // (3 − 7) × 1, (5 − 7) × 0.5, (7 − 7) × 0.25, (9 − 7) × 2, (11 − 7) × 1, then zeros.
    EXPECT_EQ(re, (std::vector<float>{-4, 0, 4, 0}));
    EXPECT_EQ(im, (std::vector<float>{-1, 4, 0, 0}));
}
