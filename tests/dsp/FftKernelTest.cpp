#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "DftReference.h"
#include "dsp/FftEngine.h"
#include "dsp/FftPlan.h"
#include "dsp/FftRealSplitPlan.h"

namespace {

// True when the four-lane kernel leaves exactly the bits the one-at-a-time kernel leaves.
bool kernelsAgree(std::size_t n, int sign, const std::vector<float>& re0, const std::vector<float>& im0)
{
    std::vector<float> re[2] = {re0, re0};
    std::vector<float> im[2] = {im0, im0};
    const FftKernel kernels[2] = {FftKernel::Scalar, FftKernel::Sse2};
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(FftPlan(n, n, n, sign, kernels[i]).execute(re[i].data(), im[i].data()), FftStatus::Ok);
    return std::memcmp(re[0].data(), re[1].data(), n * sizeof(float)) == 0
        && std::memcmp(im[0].data(), im[1].data(), n * sizeof(float)) == 0;
}

bool realSplitKernelsAgree(std::size_t n, int sign)
{
    std::vector<float> re[2] = {randomValues(n + 1, unsigned(n)), {}};
    std::vector<float> im[2] = {randomValues(n + 1, unsigned(n) + 1), {}};
    re[1] = re[0];
    im[1] = im[0];
    const FftKernel kernels[2] = {FftKernel::Scalar, FftKernel::Sse2};
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(FftRealSplitPlan(n, sign, kernels[i]).execute(re[i].data(), im[i].data()), FftStatus::Ok);
    return std::memcmp(re[0].data(), re[1].data(), (n + 1) * sizeof(float)) == 0
        && std::memcmp(im[0].data(), im[1].data(), (n + 1) * sizeof(float)) == 0;
}

}  // namespace

TEST(FftKernel, VectorKernelIsBitIdenticalToTheScalarOne)
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 2; n <= 4096; ++n)
        if (FftEngine::checkLength(n) == FftStatus::Ok)
            lengths.push_back(n);
    for (std::size_t n = 8192; n <= (std::size_t(1) << 20); n *= 2)
        lengths.push_back(n);
    for (std::size_t n : lengths)
        for (int sign : {-1, 1})
            EXPECT_TRUE(kernelsAgree(n, sign, randomValues(n, unsigned(n)), randomValues(n, unsigned(n) + 1)))
                << n << " " << sign;
}

TEST(FftKernel, VectorRealSplitIsBitIdenticalToTheScalarOne)
{
    for (std::size_t n = 2; n <= 600; ++n)
        for (int sign : {-1, 1})
            EXPECT_TRUE(realSplitKernelsAgree(n, sign)) << n << " " << sign;
    for (std::size_t n = 1024; n <= (std::size_t(1) << 20); n *= 2)
        for (int sign : {-1, 1})
            EXPECT_TRUE(realSplitKernelsAgree(n, sign)) << n << " " << sign;
}

// Signed zeros, infinities and NaNs go through the unrotated lanes bit for bit as well.
// Fused passes and the exchanges also run on later dimensions of a multidimensional array and with
// a stride, where the values of one position no longer lie side by side.
TEST(FftKernel, OtherLayoutsAreBitIdenticalToTheScalarKernel)
{
    struct Shape {
        std::size_t total, n, span;
        int stride;
    };
    const Shape shapes[] = {{8 * 32, 8, 8, 1},     {8 * 32, 32, 8 * 32, 1}, {64 * 6, 64, 64 * 6, 1},
                            {16 * 128, 128, 16 * 128, 1}, {2048, 2048, 2048, 2},  {4096, 64, 64, 1},
                            {512, 512, 512, 3}};
    for (const Shape& s : shapes) {
        for (int direction : {-1, 1}) {
            const int sign = direction * s.stride;
            const std::size_t values = s.total * std::size_t(s.stride);
            std::vector<float> re[2] = {randomValues(values, unsigned(values)), {}};
            std::vector<float> im[2] = {randomValues(values, unsigned(values) + 1), {}};
            re[1] = re[0];
            im[1] = im[0];
            const FftKernel kernels[2] = {FftKernel::Scalar, FftKernel::Sse2};
            for (int i = 0; i < 2; ++i)
                ASSERT_EQ(FftPlan(s.total, s.n, s.span, sign, kernels[i]).execute(re[i].data(), im[i].data()),
                          FftStatus::Ok);
            EXPECT_EQ(std::memcmp(re[0].data(), re[1].data(), values * sizeof(float)), 0) << s.n << " " << sign;
            EXPECT_EQ(std::memcmp(im[0].data(), im[1].data(), values * sizeof(float)), 0) << s.n << " " << sign;
        }
    }
}

TEST(FftKernel, SpecialValuesTakeTheSamePathInBothKernels)
{
    for (std::size_t n : {16, 64, 128, 1024, 2048}) {
        std::vector<float> re(n, -0.0f);
        std::vector<float> im(n, 0.0f);
        for (std::size_t j = 0; j < n; j += 3)
            im[j] = -0.0f;
        for (int sign : {-1, 1}) {
            EXPECT_TRUE(kernelsAgree(n, sign, re, im)) << n;
            std::vector<float> spiky = re;
            spiky[n / 2] = std::numeric_limits<float>::infinity();
            spiky[1] = std::numeric_limits<float>::quiet_NaN();
            EXPECT_TRUE(kernelsAgree(n, sign, spiky, im)) << n;
        }
    }
}

TEST(FftKernel, PlanReportsARefusedShape)
{
    EXPECT_EQ(FftPlan(1, 1, 1, -1).status(), FftStatus::TooShort);
    EXPECT_EQ(FftPlan(2310, 2310, 2310, -1).status(), FftStatus::SquareFreeProductTooLarge);
    EXPECT_EQ(FftRealSplitPlan(1, -1).status(), FftStatus::TooShort);
    float re[2] = {1, 2};
    float im[2] = {3, 4};
    EXPECT_EQ(FftPlan(58, 58, 58, 1).execute(re, im), FftStatus::PrimeFactorTooLarge);
    EXPECT_EQ(re[1], 2.0f);
}
