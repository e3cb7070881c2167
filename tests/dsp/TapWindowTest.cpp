#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DftReference.h"
#include "support/NumpyReference.h"
#include "dsp/TapWindow.h"

namespace {

std::vector<double> windowValues(int type, uint32_t length, bool normalised)
{
    TapWindow tap;
    tap.set(type, length, normalised);
    return {tap.values(), tap.values() + tap.length()};
}

}  // namespace

TEST(TapWindow, AllTypesMatchTheirFormulas)
{
    std::string script = NumpyWindowFormulas;
    script += "for t in range(5):\n    for L in (9, 10, 1000):\n        out(window(t, L))\n";
    const std::vector<double> want = numpyValues(script);
    std::vector<double> got;
    for (int type = 0; type < 5; ++type)
        for (uint32_t length : {9u, 10u, 1000u}) {
            const std::vector<double> values = windowValues(type, length, false);
            ASSERT_EQ(values.size(), length);
            got.insert(got.end(), values.begin(), values.end());
        }
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-12) << i;
}

TEST(TapWindow, NormalisedKernelsHaveOddLengthAndSumToOne)
{
    std::string script = NumpyWindowFormulas;
    script += "for t in range(5):\n    for L in (11, 9):\n        w = window(t, L)\n        out(w / w.sum())\n";
    const std::vector<double> want = numpyValues(script);
    std::vector<double> got;
    for (int type = 0; type < 5; ++type) {
        const std::vector<double> even = windowValues(type, 10, true);
        const std::vector<double> odd = windowValues(type, 9, true);
        EXPECT_EQ(even.size(), 11u);
        EXPECT_EQ(odd.size(), 9u);
        got.insert(got.end(), even.begin(), even.end());
        got.insert(got.end(), odd.begin(), odd.end());
    }
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-12) << i;
}

TEST(TapWindow, KernelFromASignalIsNormalised)
{
    TapWindow tap;
    const float values[] = {1, 2, 1};
    tap.setFromSignal(values);
    EXPECT_EQ(tap.type(), TapWindow::FromSignal);
    EXPECT_TRUE(tap.normalised());
    ASSERT_EQ(tap.length(), 3u);
    EXPECT_DOUBLE_EQ(tap.values()[0], 0.25);
    EXPECT_DOUBLE_EQ(tap.values()[1], 0.5);
    EXPECT_DOUBLE_EQ(tap.values()[2], 0.25);
}

// A kernel whose values cancel has no sum to divide by: it is used as it is, a second difference here.
TEST(TapWindow, KernelThatSumsToZeroIsUsedAsItIs)
{
    TapWindow tap;
    const float values[] = {1, -2, 1};
    tap.setFromSignal(values);
    ASSERT_EQ(tap.length(), 3u);
    EXPECT_EQ(tap.values()[0], 1.0);
    EXPECT_EQ(tap.values()[1], -2.0);
    const float data[] = {0, 1, 4, 9, 16, 25};
    float out[6];
    tap.smooth(data, out, 6);
    for (int k = 1; k < 5; ++k)
        EXPECT_FLOAT_EQ(out[k], 2.0f) << k;
    const float tiny[] = {1, -2, 1.0000001f};
    tap.setFromSignal(tiny);
    EXPECT_NEAR(tap.values()[2], 1.0, 1e-6) << "a sum at the rounding level is not divided by";
}

// Whatever its single value (a one-value Blackman window is 0 up to rounding), a kernel of length 1 changes nothing.
TEST(TapWindow, KernelOfLengthOneIsTheIdentity)
{
    const float data[] = {3, -1, 7, 2.5f};
    float out[4];
    TapWindow tap;
    for (const int type : {TapWindow::Hanning, TapWindow::Hamming, TapWindow::Blackman, TapWindow::Rectangle,
                           TapWindow::Triangle}) {
        tap.set(type, 1, true);
        tap.smooth(data, out, 4);
        EXPECT_EQ(std::vector<float>(out, out + 4), std::vector<float>(data, data + 4)) << type;
    }
    for (const float value : {0.0f, 1e-30f, -4.0f}) {
        tap.setFromSignal({&value, 1});
        tap.smooth(data, out, 4);
        EXPECT_EQ(std::vector<float>(out, out + 4), std::vector<float>(data, data + 4)) << value;
    }
}

TEST(TapWindow, ApplyMultipliesTheFirstLengthValues)
{
    // A triangle of length 3 is 0.5, 1, 0.5.
    TapWindow tap;
    tap.set(TapWindow::Triangle, 3, false);
    std::vector<float> data{4, 4, 4, 4};
    tap.apply(data.data());
    EXPECT_EQ(data, (std::vector<float>{2, 4, 2, 4}));
}

TEST(TapWindow, SmoothingMirrorsTheEndsByHand)
{
    TapWindow tap;
    tap.set(TapWindow::Rectangle, 3, true);
    const std::vector<float> data{3, 6, 9, 12};
    std::vector<float> result(4);
    tap.smooth(data.data(), result.data(), 4);
    // (3 + 3 + 6) / 3, (3 + 6 + 9) / 3, (6 + 9 + 12) / 3, (9 + 12 + 12) / 3.
    EXPECT_FLOAT_EQ(result[0], 4);
    EXPECT_FLOAT_EQ(result[1], 6);
    EXPECT_FLOAT_EQ(result[2], 9);
    EXPECT_FLOAT_EQ(result[3], 11);
}

TEST(TapWindow, SmoothingMatchesASymmetricallyPaddedCorrelation)
{
    const std::vector<float> data = randomValues(50, 7);
    std::string script = NumpyWindowFormulas;
    script += "for t, L in ((2, 7), (0, 7), (4, 21)):\n"
              "    w = window(t, L)\n    w = w / w.sum()\n"
              "    out(np.correlate(np.pad(x.astype(float), L // 2, mode='symmetric'), w, 'valid'))\n";
    const std::vector<double> want = numpyValues(script, data);
    ASSERT_EQ(want.size(), 150u);
    std::size_t at = 0;
    // The Hanning kernel is asked for with an even length and comes out with 7 values.
    for (auto [type, length] : {std::pair{2, 7u}, std::pair{0, 6u}, std::pair{4, 21u}}) {
        TapWindow tap;
        tap.set(type, length, true);
        std::vector<float> result(data.size());
        tap.smooth(data.data(), result.data(), uint32_t(data.size()));
        for (float v : result)
            EXPECT_NEAR(v, want[at++], 1e-6);
    }
}

TEST(TapWindow, KernelAsLongAsTheDataLeavesThemAlone)
{
    TapWindow tap;
    tap.set(TapWindow::Hanning, 5, true);
    const std::vector<float> data{1, 5, 2, 8, 3};
    std::vector<float> result(5);
    tap.smooth(data.data(), result.data(), 5);
    EXPECT_EQ(result, data);
}

// A kernel as long as the data or longer copies them, so a smoothing kernel is cut to the data's length:
// any longer request, up to the largest a file can hold, costs no more than the data and gives the copy,
// and a shorter one is the kernel set() makes.
TEST(TapWindow, SmoothingKernelsAreCutToTheData)
{
    const std::vector<float> data{3, -1, 4, 1, -5, 9, 2, -6, 5, 3, 5};
    const auto count = uint32_t(data.size());
    for (const int32_t length : {11, 12, 1000, 2147483647}) {
        TapWindow tap;
        tap.setSmoothing(TapWindow::Blackman, length, count);
        EXPECT_LE(tap.length(), count + 1) << length;
        std::vector<float> result(count);
        tap.smooth(data.data(), result.data(), count);
        EXPECT_EQ(result, data) << length;
    }
    for (const int32_t length : {-7, 0, 1, 4, 9, 10}) {
        TapWindow cut;
        cut.setSmoothing(TapWindow::Hamming, length, count);
        TapWindow plain;
        plain.set(TapWindow::Hamming, uint32_t(std::max(length, 1)), true);
        EXPECT_EQ(std::vector<double>(cut.values(), cut.values() + cut.length()),
                  std::vector<double>(plain.values(), plain.values() + plain.length()))
            << length;
    }
}
