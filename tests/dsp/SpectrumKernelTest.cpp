#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "VectorKernels.h"
#include "support/Noise.h"
#include "dsp/SpectrumKernels.h"
#include "dsp/Statistics.h"

namespace {

constexpr float Guard = 12345.0f;

// Values over the whole range of floats: ordinary ones of every scale, subnormals, signed zeros,
// infinities and NaNs, so that every lane meets each of them.
std::vector<float> awkwardValues(std::size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> mantissa(-2.0f, 2.0f);
    std::uniform_int_distribution<int> exponent(-140, 120);
    std::uniform_int_distribution<int> kind(0, 40);
    const float specials[] = {0.0f, -0.0f, std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::denorm_min(),
                              std::numeric_limits<float>::max(), -std::numeric_limits<float>::min()};
    std::vector<float> values(count);
    for (float& v : values) {
        const int k = kind(random);
        v = k < int(std::size(specials)) ? specials[k] : std::ldexp(mantissa(random), k % 3 ? 0 : exponent(random));
    }
    return values;
}

// Taper values of full double precision, some above 1 and some negative.
std::vector<double> taperOf(std::size_t count, unsigned seed)
{
    std::vector<double> taper = noise<double>(count, seed);
    for (double& t : taper)
        t *= 1.5;
    return taper;
}

bool sameBits(const std::vector<float>& x, const std::vector<float>& y)
{
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0;
}

// Lengths from none up to past several whole blocks of the widest kernel, then the Time FFT's usual ones.
std::vector<std::size_t> comparedLengths()
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    for (std::size_t n : {511, 512, 513, 1023, 1024, 1025, 4096, 4099})
        lengths.push_back(n);
    return lengths;
}

}  // namespace

// Each kernel writes exactly the values the scalar kernel writes, and nothing past them.
TEST(SpectrumKernel, PackingIsBitIdenticalToTheScalarKernel)
{
    for (FftKernel kernel : vectorKernels())
        for (std::size_t length : comparedLengths())
            for (const bool tapered : {false, true})
                for (const double offset : {0.0, 0.3, -1e30}) {
                    const std::vector<float> block = awkwardValues(length, unsigned(length));
                    const std::vector<double> taper = taperOf(length, unsigned(length) + 7);
                    std::vector<float> re[2], im[2];
                    const FftKernel kernels[2] = {FftKernel::Scalar, kernel};
                    for (int k = 0; k < 2; ++k) {
                        re[k].assign(length / 2 + 2, Guard);
                        im[k].assign(length / 2 + 2, Guard);
                        spectrumKernels(kernels[k]).pack(block.data(), length, offset, tapered ? taper.data() : nullptr,
                                                         re[k].data(), im[k].data());
                    }
                    EXPECT_TRUE(sameBits(re[0], re[1]) && sameBits(im[0], im[1]))
                        << nameOf(kernel) << " length " << length << " tapered " << tapered << " offset " << offset;
                    EXPECT_EQ(re[1][(length + 1) / 2], Guard);
                    EXPECT_EQ(im[1][length / 2], Guard);
                }
}

TEST(SpectrumKernel, MagnitudesAreBitIdenticalToTheScalarKernel)
{
    for (FftKernel kernel : vectorKernels())
        for (std::size_t n : comparedLengths())
            for (const double scale : {1.0, 1.0 / 1024, 3.7e-300}) {
                const std::vector<float> re = awkwardValues(n + 1, unsigned(n) + 1);
                const std::vector<float> im = awkwardValues(n + 1, unsigned(n) + 2);
                std::vector<float> out[2];
                const FftKernel kernels[2] = {FftKernel::Scalar, kernel};
                for (int k = 0; k < 2; ++k) {
                    out[k].assign(n + 1, Guard);
                    spectrumKernels(kernels[k]).magnitudes(re.data(), im.data(), n, scale, out[k].data());
                }
                EXPECT_TRUE(sameBits(out[0], out[1])) << nameOf(kernel) << " n " << n << " scale " << scale;
                EXPECT_EQ(out[1][n], Guard);
            }
}

// The reference itself, by hand: (3 − 1) × 0.5, (4 − 1) × 2, (−1 − 1) × 1 packed alternately; magnitudes of
// 3 + 4i and 5 − 12i, halved.
TEST(SpectrumKernel, ScalarKernelFollowsItsFormulas)
{
    const float block[] = {3, 4, -1};
    const double taper[] = {0.5, 2, 1};
    float re[2] = {Guard, Guard}, im[2] = {Guard, Guard};
    spectrumKernels(FftKernel::Scalar).pack(block, 3, 1.0, taper, re, im);
    EXPECT_EQ(re[0], 1.0f);
    EXPECT_EQ(im[0], 6.0f);
    EXPECT_EQ(re[1], -2.0f);
    EXPECT_EQ(im[1], Guard);

    const float parts[][3] = {{Guard, 3, 5}, {Guard, 4, -12}};
    float out[2];
    spectrumKernels(FftKernel::Scalar).magnitudes(parts[0], parts[1], 2, 0.5, out);
    EXPECT_EQ(out[0], 2.5f);
    EXPECT_EQ(out[1], 6.5f);
}

namespace {

// The extended-precision mean as four running sums, the way mean() adds values that are not integers.
long double extendedMean(const std::vector<float>& values)
{
    long double sums[4] = {0, 0, 0, 0};
    std::size_t i = 0;
    for (; i + 4 <= values.size(); i += 4)
        for (std::size_t k = 0; k < 4; ++k)
            sums[k] += values[i + k];
    for (; i < values.size(); ++i)
        sums[0] += values[i];
    return (sums[0] + sums[1] + (sums[2] + sums[3])) / values.size();
}

// Integers up to the ends of the range, with one value of another kind put at `odd` when it is in range.
std::vector<float> integerValues(std::size_t count, unsigned seed, std::size_t odd, float oddValue)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> bits(0, 31);
    std::uniform_int_distribution<int64_t> any(-(int64_t(1) << 31), (int64_t(1) << 31) - 1);
    std::vector<float> values(count);
    for (float& v : values) {
        const int64_t full = any(random);
        v = float(full >> bits(random));
        if (v >= 0x1p31f)
            v = -0x1p31f;
    }
    if (odd < count)
        values[odd] = oddValue;
    return values;
}

}  // namespace

// Every kernel finds the scalar kernel's exact sum, which is the sum's true value; a value too fine for the
// grid the largest one sets, an infinity or a NaN, wherever it stands, sends the sum back.
TEST(SpectrumKernel, ExactSumsAreExactAndRefuseWhatNoGridHolds)
{
    const float others[] = {0x1p-40f, -1e-30f, std::numeric_limits<float>::denorm_min(),
                            std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    std::vector<FftKernel> kernels = vectorKernels();
    kernels.push_back(FftKernel::Scalar);
    for (FftKernel kernel : kernels)
        for (std::size_t n : comparedLengths()) {
            if (n == 0)
                continue;
            for (const std::vector<float>& block : {integerValues(n, unsigned(n), n, 0), noise(n, unsigned(n))}) {
                double sum = -1, reference = -1;
                int exponent = 0, referenceExponent = 0;
                const bool exact = spectrumKernels(kernel).exactSum(block.data(), n, sum, exponent);
                ASSERT_EQ(exact, spectrumKernels(FftKernel::Scalar).exactSum(block.data(), n, reference, referenceExponent));
                if (!exact)
                    continue;
                EXPECT_EQ(sum, reference) << nameOf(kernel) << " " << n;
                EXPECT_EQ(exponent, referenceExponent) << nameOf(kernel) << " " << n;
                long double inOrder = 0;
                for (float v : block)
                    inOrder += v;
                EXPECT_EQ(std::ldexp((long double)sum, -exponent), inOrder) << nameOf(kernel) << " " << n;
            }
            for (float other : others) {
                std::vector<float> mixed = integerValues(n, unsigned(n), n / 3, other);
                mixed[n - 1] = 0x1p30f;
                double sum = 0;
                int exponent = 0;
                EXPECT_FALSE(n > 1 && spectrumKernels(kernel).exactSum(mixed.data(), n, sum, exponent))
                    << nameOf(kernel) << " " << n << " " << other;
            }
        }
}

// The mean is the extended sums' bits whether its block holds integers or not, and a negative zero
// counts as an integer.
TEST(SpectrumKernel, MeanIsTheExtendedSumsMean)
{
    for (std::size_t n : comparedLengths()) {
        if (n == 0)
            continue;
        for (const float odd : {0.0f, -0.0f, 0.25f, 7.0f, 0x1p-60f}) {
            const std::vector<float> values = integerValues(n, unsigned(n) + 3, n / 2, odd);
            EXPECT_EQ(mean(values.data(), n), extendedMean(values)) << n << " " << odd;
        }
        for (const std::vector<float>& values : {noise(n, unsigned(n) + 4), awkwardValues(n, unsigned(n) + 5)}) {
            const long double got = mean(values.data(), n), want = extendedMean(values);
            EXPECT_TRUE(got == want || (std::isnan(got) && std::isnan(want))) << n;
        }
    }
    const std::vector<float> zeros{-0.0f, -0.0f, 0.0f, -0.0f, -0.0f};
    const long double zero = mean(zeros.data(), zeros.size());
    EXPECT_EQ(zero, 0);
    EXPECT_FALSE(std::signbit(zero));
}
