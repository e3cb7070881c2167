#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "DftReference.h"
#include "dsp/FftEngine.h"
#include "dsp/FftRealPacking.h"

namespace {

// Real transform as callers run it: 2n samples alternately into re and im, n + 1 slots each.
void forwardReal(const std::vector<float>& samples, std::vector<float>& re, std::vector<float>& im)
{
    const std::size_t n = samples.size() / 2;
    re.assign(n + 1, 0.0f);
    im.assign(n + 1, 0.0f);
    fftPackReal(samples.data(), n, re.data(), im.data());
    ASSERT_EQ(FftEngine::transform(re.data(), im.data(), n, n, n, -1), FftStatus::Ok);
    ASSERT_EQ(FftEngine::realSplit(re.data(), im.data(), n, -1), FftStatus::Ok);
}

std::vector<float> inverseReal(std::vector<float> re, std::vector<float> im)
{
    const std::size_t n = re.size() - 1;
    EXPECT_EQ(FftEngine::realSplit(re.data(), im.data(), n, 1), FftStatus::Ok);
    EXPECT_EQ(FftEngine::transform(re.data(), im.data(), n, n, n, 1), FftStatus::Ok);
    std::vector<float> samples(2 * n);
    fftUnpackReal(re.data(), im.data(), n, samples.data());
    return samples;
}

// A spread of accepted lengths: every one up to 256, the powers of two and mixed ones beyond.
std::vector<std::size_t> realLengths()
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 2; n <= 256; ++n)
        if (FftEngine::checkLength(n) == FftStatus::Ok)
            lengths.push_back(n);
    for (std::size_t n : {384, 441, 512, 720, 1000, 1024, 2048, 2310 / 11 * 16, 4096, 1 << 14, 1 << 16})
        if (FftEngine::checkLength(n) == FftStatus::Ok)
            lengths.push_back(n);
    return lengths;
}

}  // namespace

// Bins 0..n of the forward real transform are twice the unscaled DFT of the 2n samples.
TEST(FftRealSplit, ForwardMatchesTwiceTheDftOfTheRealSamples)
{
    double worst = 0;
    for (std::size_t n : realLengths()) {
        const std::vector<float> samples = randomValues(2 * n, unsigned(n));
        std::vector<float> re, im;
        forwardReal(samples, re, im);
        const std::vector<float> zeros(2 * n, 0.0f);
        const DftReference dft(2 * n, -1);
        RelativeError error;
        std::vector<std::size_t> bins = binsToCheck(n);
        bins.push_back(n);
        for (std::size_t k : bins)
            error.add({re[k], im[k]}, 2.0 * dft.bin(samples.data(), zeros.data(), k));
        EXPECT_EQ(im[0], 0.0f) << n;
        EXPECT_EQ(im[n], 0.0f) << n;
        worst = std::max(worst, error.value());
        EXPECT_LT(error.value(), errorCeiling(n)) << n;
    }
    std::printf("worst relative error, forward real transform: %.3g\n", worst);
}

// From coefficients C (im[0] = im[n] = 0) the inverse yields Σ C[k]·e^(+iπkt/n) over the Hermitian
// extension: C[0] + (−1)^t·C[n] + 2·Σ Re(C[k]·e^(iπkt/n)).
TEST(FftRealSplit, InverseMatchesTheRealFourierSeries)
{
    double worst = 0;
    for (std::size_t n : realLengths()) {
        if (n > 4096)
            continue;
        std::vector<float> re = randomValues(n + 1, unsigned(n) + 5);
        std::vector<float> im = randomValues(n + 1, unsigned(n) + 6);
        im[0] = 0.0f;
        im[n] = 0.0f;
        const std::vector<float> samples = inverseReal(re, im);
        const DftReference roots(2 * n, 1);
        double largest = 0;
        double maxError = 0;
        for (std::size_t t : binsToCheck(2 * n)) {
            double want = re[0] + (t % 2 == 0 ? 1.0 : -1.0) * re[n];
            for (std::size_t k = 1; k < n; ++k)
                want += 2.0 * (std::complex<double>(re[k], im[k]) * roots.root(k * t)).real();
            largest = std::max(largest, std::abs(want));
            maxError = std::max(maxError, std::abs(samples[t] - want));
        }
        worst = std::max(worst, maxError / largest);
        EXPECT_LT(maxError / largest, errorCeiling(n)) << n;
    }
    std::printf("worst relative error, inverse real transform: %.3g\n", worst);
}

TEST(FftRealSplit, ForwardThenInverseReturnsTheSamplesTimesFourN)
{
    for (std::size_t n : realLengths()) {
        const std::vector<float> samples = randomValues(2 * n, unsigned(n) + 9);
        std::vector<float> re, im;
        forwardReal(samples, re, im);
        const std::vector<float> back = inverseReal(re, im);
        double maxError = 0;
        for (std::size_t t = 0; t < 2 * n; ++t)
            maxError = std::max(maxError, std::abs(back[t] / (4.0 * double(n)) - samples[t]));
        EXPECT_LT(maxError, 3.0 * errorCeiling(n)) << n;
    }
}

TEST(FftRealSplit, PackingPutsEvenSamplesInReAndOddOnesInIm)
{
    for (std::size_t n : {1, 3, 4, 9}) {
        std::vector<float> samples(2 * n);
        for (std::size_t t = 0; t < 2 * n; ++t)
            samples[t] = float(t) + 0.5f;
        std::vector<float> re(n), im(n), back(2 * n);
        fftPackReal(samples.data(), n, re.data(), im.data());
        for (std::size_t j = 0; j < n; ++j) {
            EXPECT_EQ(re[j], float(2 * j) + 0.5f);
            EXPECT_EQ(im[j], float(2 * j + 1) + 0.5f);
        }
        fftUnpackReal(re.data(), im.data(), n, back.data());
        EXPECT_EQ(back, samples);
    }
}

TEST(FftRealSplit, EightOnesGiveTwiceTheSumInBinZero)
{
    std::vector<float> re, im;
    forwardReal(std::vector<float>(8, 1.0f), re, im);
    EXPECT_FLOAT_EQ(re[0], 16.0f);
    for (std::size_t k = 0; k <= 4; ++k) {
        if (k != 0) {
            EXPECT_NEAR(re[k], 0.0f, 1e-6) << k;
        }
        EXPECT_NEAR(im[k], 0.0f, 1e-6) << k;
    }
}

TEST(FftRealSplit, SineOfAmplitudeAGivesATimesTwoNAtItsBin)
{
    const float amplitude = 3.0f;
    for (std::size_t n : {4, 64, 360, 1024}) {
        for (std::size_t m : {std::size_t(1), n / 4, n - 1}) {
            std::vector<float> samples(2 * n);
            for (std::size_t t = 0; t < 2 * n; ++t)
                samples[t] = amplitude * float(std::sin(std::numbers::pi * double(m * t) / double(n)));
            std::vector<float> re, im;
            forwardReal(samples, re, im);
            const double peak = amplitude * 2.0 * double(n);
            EXPECT_NEAR(std::abs(im[m]), peak, peak * 2e-6) << n << " " << m;
            for (std::size_t k = 0; k <= n; ++k) {
                EXPECT_NEAR(re[k], 0.0, peak * 1e-6) << n << " " << m << " " << k;
                if (k != m) {
                    EXPECT_NEAR(im[k], 0.0, peak * 1e-6) << n << " " << m << " " << k;
                }
            }
        }
    }
}

TEST(FftRealSplit, StrideTwoOnOneInterleavedArray)
{
    for (std::size_t n : {8, 12, 45, 64}) {
        const std::vector<float> samples = randomValues(2 * n, unsigned(n));
        std::vector<float> z(2 * n + 2, 0.0f);
        std::copy(samples.begin(), samples.end(), z.begin());
        ASSERT_EQ(FftEngine::transform(z.data(), z.data() + 1, n, n, n, -2), FftStatus::Ok);
        ASSERT_EQ(FftEngine::realSplit(z.data(), z.data() + 1, n, -2), FftStatus::Ok);
        const std::vector<float> zeros(2 * n, 0.0f);
        const DftReference dft(2 * n, -1);
        RelativeError error;
        for (std::size_t k = 0; k <= n; ++k)
            error.add({z[2 * k], z[2 * k + 1]}, 2.0 * dft.bin(samples.data(), zeros.data(), k));
        EXPECT_LT(error.value(), errorCeiling(n)) << n;
    }
}

TEST(FftRealSplit, RefusesTooFewPointsAndSignZero)
{
    float re[3] = {1, 2, 3};
    float im[3] = {4, 5, 6};
    EXPECT_EQ(FftEngine::realSplit(re, im, 1, -1), FftStatus::TooShort);
    EXPECT_EQ(FftEngine::realSplit(re, im, 0, 1), FftStatus::TooShort);
    EXPECT_EQ(FftEngine::realSplit(re, im, 2, 0), FftStatus::BadArguments);
    EXPECT_EQ(re[0], 1.0f);
    EXPECT_EQ(im[2], 6.0f);
}
