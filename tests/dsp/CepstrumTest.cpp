#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/NumpyReference.h"
#include "dsp/Cepstrum.h"

TEST(Cepstrum, ThousandSamplesGive512)
{
    EXPECT_EQ(cepstrumCount(1000), 512u);
    EXPECT_EQ(cepstrumCount(1024), 512u);
    EXPECT_EQ(cepstrumCount(1025), 1024u);
}

TEST(Cepstrum, FewerThanThreeSamplesAreRefused)
{
    std::vector<float> x{1, 2}, y(1, 5.0f);
    EXPECT_FALSE(cepstrum(x.data(), 2, y.data()));
    EXPECT_EQ(y[0], 5.0f);
}

// numpy: the transform of the pairs (an odd last sample dropped) padded to N, log10 of its
// magnitude (0 where it is 0) doubled as the real split doubles it, transformed back and divided by 2N.
TEST(Cepstrum, MatchesNumpy)
{
    const std::size_t c = 999;
    std::vector<float> x(c);
    for (std::size_t i = 0; i < c; ++i)
        x[i] = float(std::sin(0.05 * i) + 0.3 * std::sin(0.31 * i) + 0.01 * (i % 7));
    const std::string script = R"(
N = 1024
xd = np.zeros(N)
xd[:998] = x[:998].astype(float)
M = np.abs(2 * np.fft.rfft(xd))
L = np.where(M > 0, np.log10(np.where(M > 0, M, 1)), 0)
y = np.fft.irfft(L, N) * N / (2 * N)
out(y[1:N // 2 + 1])
)";
    const std::vector<double> want = numpyValues(script, x);
    ASSERT_EQ(want.size(), 512u);
    std::vector<float> got(512);
    ASSERT_TRUE(cepstrum(x.data(), uint32_t(c), got.data()));
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], want[i], 2e-5) << i;
}
