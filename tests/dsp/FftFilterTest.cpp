#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/NumpyReference.h"
#include "dsp/FftFilter.h"

namespace {
// A fixed irregular signal with a mean well away from 0.
std::vector<float> irregular(std::size_t count)
{
    std::vector<float> x(count);
    uint32_t state = 12345;
    for (float& v : x) {
        state = state * 1103515245u + 12345u;
        v = 3.0f + float((state >> 8) % 20000) / 10000.0f - 1.0f;
    }
    return x;
}

std::vector<float> filtered(const std::vector<float>& x, long double rate, long double from, long double to,
                            int16_t type)
{
    FftFilter filter;
    std::vector<float> y(x.size(), -999.0f);
    EXPECT_TRUE(filter.run(x.data(), uint32_t(x.size()), rate, from, to, type, y.data()));
    return y;
}

double rms(const std::vector<float>& x)
{
    double sum = 0;
    for (float v : x)
        sum += double(v) * v;
    return std::sqrt(sum / x.size());
}
}  // namespace

TEST(FftFilter, BandPassOverTheWholeBandReturnsTheInput)
{
    const auto x = irregular(1000);
    const auto y = filtered(x, 8000, 0, 4000, FilterType::BandPass);
    ASSERT_EQ(y.size(), 1000u);
    for (std::size_t i = 0; i < x.size(); ++i)
        ASSERT_NEAR(y[i], x[i], 2e-5) << i;
}

TEST(FftFilter, BandStopOverTheWholeBandLeavesTheMean)
{
    const auto x = irregular(1000);
    double sum = 0;
    for (float v : x)
        sum += v;
    const double mean = sum / x.size();
    const auto y = filtered(x, 8000, 0, 4000, FilterType::BandStop);
    for (std::size_t i = 0; i < y.size(); ++i)
        ASSERT_NEAR(y[i], mean, 2e-5) << i;
}

// R = 1024 Hz and 1000 samples: N = 1024, n = 512, Δ = 1 Hz, scale 512 / (512 − 2). From 100 Hz gives
// j = trunc(99 × 512 / 510) = 99, to 200 Hz gives k = trunc(199 × 512 / 510) = 199.
TEST(FftFilter, ThousandSamplesWorkOn1024AndKeepTheBandsBins)
{
    std::vector<float> re(513, 1.0f), im(513, 1.0f);
    FftFilter::maskBins(re.data(), im.data(), 512, 1024, 100, 200, FilterType::BandPass);
    for (std::size_t b = 0; b <= 512; ++b) {
        const float want = b == 0 || (b >= 100 && b <= 199) ? 1.0f : 0.0f;
        ASSERT_EQ(re[b], want) << b;
        ASSERT_EQ(im[b], want) << b;
    }
    std::fill(re.begin(), re.end(), 1.0f);
    std::fill(im.begin(), im.end(), 1.0f);
    FftFilter::maskBins(re.data(), im.data(), 512, 1024, 100, 200, FilterType::BandStop);
    for (std::size_t b = 0; b <= 512; ++b)
        ASSERT_EQ(re[b], b >= 100 && b <= 199 ? 0.0f : 1.0f) << b;

    const auto y = filtered(irregular(1000), 1024, 100, 200, FilterType::BandPass);
    EXPECT_EQ(y.size(), 1000u);
    EXPECT_NE(y[999], -999.0f);
}

TEST(FftFilter, FrequenciesOutsideTheBandAreClamped)
{
    std::vector<float> re(513, 1.0f), im(513, 1.0f);
    // Below Δ and above the Nyquist frequency: the whole band, nothing is zeroed.
    FftFilter::maskBins(re.data(), im.data(), 512, 1024, -50, 9000, FilterType::BandPass);
    for (std::size_t b = 0; b <= 512; ++b)
        ASSERT_EQ(re[b], 1.0f) << b;
}

TEST(FftFilter, TooFewSamplesForTheBinScaleAreRefused)
{
    FftFilter filter;
    std::vector<float> x{1, 2, 3, 4}, y(4, 7.0f);
    EXPECT_FALSE(filter.run(x.data(), 4, 100, 0, 50, FilterType::BandPass, y.data()));
    EXPECT_EQ(y, std::vector<float>(4, 7.0f));
}

// A sine on bin 125 of 1024 samples at 8192 Hz (1000 Hz) and one on bin 300 (2400 Hz); a band pass
// from 2000 to 3000 Hz against numpy's transform with the same bins kept (Δ = 8 Hz, j = trunc(1992 × 512 /
// 4080) = 249, k = trunc(2992 × 512 / 4080) = 375, bins j + 1 … k), and the 1000 Hz sine alone loses at least 60 dB.
TEST(FftFilter, BandPassMatchesNumpyAndRejectsASineOutsideTheBand)
{
    const std::size_t N = 1024;
    std::vector<float> low(N), mixed(N);
    for (std::size_t i = 0; i < N; ++i) {
        low[i] = float(std::sin(2 * M_PI * 125 * i / N));
        mixed[i] = low[i] + float(0.5 * std::cos(2 * M_PI * 300 * i / N)) + 0.25f;
    }
    const std::string script = R"(
R = 8192.0
n = 512
d = R / 1024
scale = n / (R / 2 - R / n)
j = int(np.trunc(scale * (2000 - d)))
k = int(np.trunc(scale * (3000 - d)))
xd = x.astype(float)
mu = xd.mean()
X = np.fft.rfft(xd - mu)
X[1:j + 1] = 0
X[k + 1:] = 0
y = np.fft.irfft(X, 1024) + mu
out(y)
)";
    const std::vector<double> want = numpyValues(script, mixed);
    ASSERT_EQ(want.size(), N);
    const auto got = filtered(mixed, 8192, 2000, 3000, FilterType::BandPass);
    for (std::size_t i = 0; i < N; ++i)
        ASSERT_NEAR(got[i], want[i], 1e-5) << i;

    const auto rejected = filtered(low, 8192, 2000, 3000, FilterType::BandPass);
    const double loss = 20 * std::log10(rms(low) / rms(rejected));
    EXPECT_GE(loss, 60.0);
    const std::vector<double> numpyLow = numpyValues(script, low);
    ASSERT_EQ(numpyLow.size(), N);
    for (std::size_t i = 0; i < N; ++i)
        ASSERT_NEAR(rejected[i], numpyLow[i], 1e-5) << i;
}

// Low pass (From 0, as the dialog sets it) and high pass (To left at half the rate) against numpy with
// the same bin rule, on a count that is padded to a power of two: 1000 samples work on 1024.
TEST(FftFilter, LowAndHighPassMatchNumpyOnAPaddedBlock)
{
    const std::size_t count = 1000;
    std::vector<float> x(count);
    for (std::size_t i = 0; i < count; ++i)
        x[i] = float(std::sin(2 * M_PI * 1000 * i / 8192.0) + 0.5 * std::cos(2 * M_PI * 2400 * i / 8192.0) + 0.25 +
                     0.1 * std::sin(2 * M_PI * 3900 * i / 8192.0));
    struct Case {
        int16_t type;
        long double from;
        long double to;
    };
    for (const Case c : {Case{FilterType::LowPass, 0, 1500}, Case{FilterType::HighPass, 2000, 4096},
                         Case{FilterType::LowPass, 0, 4096}, Case{FilterType::HighPass, 0, 4096}}) {
        const std::string script = "R = 8192.0\nn = 512\nd = R / 1024\nscale = n / (R / 2 - R / n)\n"
                                   "lo = max(" + std::to_string(double(c.from)) + ", d)\n"
                                   "hi = min(" + std::to_string(double(c.to)) + ", R / 2)\n" + R"(
j = int(np.trunc(scale * (lo - d)))
k = int(np.trunc(scale * (hi - d)))
xd = x.astype(float)
mu = xd.mean()
X = np.fft.rfft(np.concatenate([xd - mu, np.zeros(1024 - len(xd))]))
X[1:min(j, n) + 1] = 0
X[k + 1:] = 0
out(np.fft.irfft(X, 1024)[:len(xd)] + mu)
)";
        const std::vector<double> want = numpyValues(script, x);
        ASSERT_EQ(want.size(), count);
        const auto got = filtered(x, 8192, c.from, c.to, c.type);
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_NEAR(got[i], want[i], 2e-5) << "type " << c.type << " to " << double(c.to) << " sample " << i;
    }
}
