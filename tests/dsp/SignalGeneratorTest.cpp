#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "dsp/GeneratorParameters.h"
#include "dsp/SignalGenerator.h"
#include "support/NumpyReference.h"

namespace {

GeneratorParameters parameters(GeneratorParameters::Function function, long double rate, long double samples,
                               long double minimum, long double maximum, long double frequency)
{
    return {{rate, samples / rate, samples, maximum, minimum, frequency, (long double)function, 0, 0, 0}};
}

std::vector<float> generated(const GeneratorParameters& p, uint32_t seed = 1)
{
    EXPECT_TRUE(p.usable());
    std::vector<float> values(p.sampleCount());
    SignalGenerator::generate(p, seed, values.data());
    return values;
}

void expectValues(const std::vector<float>& got, const std::vector<double>& want, double tolerance)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tolerance) << "sample " << i;
}

}  // namespace

TEST(SignalGenerator, SineAndCosineOfAQuarterRateSwingBetweenMinimumAndMaximum)
{
    const double h = std::sqrt(0.5);
    expectValues(generated(parameters(GeneratorParameters::Sin, 8000, 8, -1, 1, 1000)),
                 {0, h, 1, h, 0, -h, -1, -h}, 1e-6);
    expectValues(generated(parameters(GeneratorParameters::Cos, 8000, 8, -1, 1, 1000)),
                 {1, h, 0, -h, -1, -h, 0, h}, 1e-6);
    // Minimum 2 and maximum 6: centre 4, amplitude 2.
    expectValues(generated(parameters(GeneratorParameters::Sin, 8000, 8, 2, 6, 1000)),
                 {4, 4 + 2 * h, 6, 4 + 2 * h, 4, 4 - 2 * h, 2, 4 - 2 * h}, 1e-5);
}

TEST(SignalGenerator, SineWithAFractionalPeriodMatchesNumpy)
{
    const auto p = parameters(GeneratorParameters::Sin, 44100, 3000, -0.5, 2, 440.5);
    const std::vector<double> want = numpyValues(
        "i = np.arange(3000, dtype=float)\n"
        "out(0.75 + 1.25 * np.sin(6.2831853072 / (44100 / 440.5) * i))");
    expectValues(generated(p), want, 2e-6);
}

TEST(SignalGenerator, StepsLastHalfAPeriodEach)
{
    expectValues(generated(parameters(GeneratorParameters::Step, 10, 8, 0, 1, 5)), {1, 1, 0, 0, 1, 1, 0, 0}, 0);
    // P = 2.5: levels change where i / P crosses an integer.
    expectValues(generated(parameters(GeneratorParameters::Step, 10, 10, -3, 7, 4)),
                 {7, 7, 7, -3, -3, 7, 7, 7, -3, -3}, 0);
}

TEST(SignalGenerator, RandomIntegersStayInTheirRangeAndFollowTheSeed)
{
    const auto coin = parameters(GeneratorParameters::Random, 8000, 10000, 0, 1, 1000);
    const std::vector<float> values = generated(coin, 7);
    const std::set<float> seen(values.begin(), values.end());
    EXPECT_EQ(seen, (std::set<float>{0, 1}));
    EXPECT_EQ(generated(coin, 7), values) << "the same seed gives the same signal";
    EXPECT_NE(generated(coin, 8), values);

    const std::vector<float> digits = generated(parameters(GeneratorParameters::Random, 8000, 10000, -5, 4.9, 1000));
    const std::set<float> digitsSeen(digits.begin(), digits.end());
    EXPECT_EQ(digitsSeen, (std::set<float>{-5, -4, -3, -2, -1, 0, 1, 2, 3, 4}))
        << "w = trunc(4.9 + 5 + 1) = 10 values from the minimum up";
}

TEST(SignalGenerator, RandomWithoutWidthIsTheMinimum)
{
    // trunc(0.5 - 1 + 1) = 0.
    const std::vector<float> values = generated(parameters(GeneratorParameters::Random, 100, 50, 1, 0.5, 10));
    EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](float v) { return v == 1; }));
}

TEST(SignalGenerator, ConstIsTheMinimum)
{
    const auto p = parameters(GeneratorParameters::Const, 100, 20, 5, 5, 10);
    const std::vector<float> values = generated(p);
    EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](float v) { return v == 5; }));
}

TEST(SignalGenerator, WindowShapesIgnoreMinimumAndMaximum)
{
    expectValues(generated(parameters(GeneratorParameters::Hanning, 8000, 3, -1, 1, 1000)), {0.5, 1, 0.5}, 1e-7);

    std::string script = NumpyWindowFormulas;
    script += "for t in (0, 1, 2, 4):\n    for L in (7, 64):\n        out(window(t, L))\n";
    const std::vector<double> want = numpyValues(script);
    std::vector<float> got;
    for (auto function : {GeneratorParameters::Hanning, GeneratorParameters::Hamming, GeneratorParameters::Blackman,
                          GeneratorParameters::Triangular})
        for (long double length : {7.9L, 64.0L}) {
            const std::vector<float> values = generated(parameters(function, 1000, length, 10, 20, 3));
            got.insert(got.end(), values.begin(), values.end());
        }
    expectValues(got, want, 1e-7);
}

TEST(GeneratorParameters, FirstSettingsMakeOneSecondOfSine)
{
    const GeneratorParameters p = GeneratorParameters::initial();
    EXPECT_EQ(p.param, (std::array<long double, 10>{8000, 1, 8000, 1, -1, 1000, 0, 0, 0, 0}));
    EXPECT_TRUE(p.usable());
    EXPECT_EQ(p.function(), GeneratorParameters::Sin);
}

TEST(GeneratorParameters, UsableOnlyWhenASignalCanBeMade)
{
    const GeneratorParameters good = GeneratorParameters::initial();
    const auto with = [&](std::size_t i, long double value) {
        GeneratorParameters p = good;
        p.param[i] = value;
        return p.usable();
    };
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    for (std::size_t i : {0, 1, 2, 5}) {
        EXPECT_FALSE(with(i, 0)) << "Param" << i;
        EXPECT_FALSE(with(i, -1)) << "Param" << i;
    }
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_FALSE(with(i, nan)) << "Param" << i;
        EXPECT_FALSE(with(i, inf)) << "Param" << i;
    }
    EXPECT_TRUE(with(7, nan)) << "the carried numbers take no part";
    EXPECT_FALSE(with(3, -1)) << "maximum equal to the minimum";
    EXPECT_FALSE(with(2, 0.5)) << "no whole sample";
    EXPECT_TRUE(with(2, 1.5));
    EXPECT_TRUE(with(2, 4294967295.0L));
    EXPECT_FALSE(with(2, 4294967296.0L)) << "more samples than a signal counts";
    EXPECT_FALSE(with(6, 9));
    EXPECT_FALSE(with(6, -1));
    EXPECT_FALSE(with(6, 2.5));

    GeneratorParameters flat = good;
    flat.param[3] = flat.param[4] = 5;
    flat.param[6] = GeneratorParameters::Const;
    EXPECT_TRUE(flat.usable()) << "const needs no range";
    flat.param[5] = 0;
    EXPECT_FALSE(flat.usable()) << "the frequency must be above 0 even where it is not used";
}
