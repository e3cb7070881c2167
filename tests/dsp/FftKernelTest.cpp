#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "DftReference.h"
#include "VectorKernels.h"
#include "dsp/FftEngine.h"
#include "dsp/FftPlan.h"
#include "dsp/FftRealSplitPlan.h"

namespace {

// Every accepted length up to 4096, then powers of two and mixed lengths beyond.
std::vector<std::size_t> comparedLengths()
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 2; n <= 4096; ++n)
        if (FftEngine::checkLength(n) == FftStatus::Ok)
            lengths.push_back(n);
    for (std::size_t n = 8192; n <= (std::size_t(1) << 20); n *= 2)
        lengths.push_back(n);
    for (std::size_t n : {4104, 6000, 10000, 44100, 48000, 3 * 65536})
        if (FftEngine::checkLength(n) == FftStatus::Ok)
            lengths.push_back(n);
    return lengths;
}

bool sameBits(const std::vector<float>& x, const std::vector<float>& y)
{
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0;
}

// The same bits, but a NaN matches any NaN: which of two NaNs an operation passes on depends on the order
// of its operands, which a compiler may swap.
bool sameBitsOrBothNaN(const std::vector<float>& x, const std::vector<float>& y)
{
    if (x.size() != y.size())
        return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!(std::isnan(x[i]) && std::isnan(y[i])) && std::memcmp(&x[i], &y[i], sizeof(float)) != 0)
            return false;
    return true;
}

// True when `kernel` leaves exactly the bits the one-at-a-time kernel leaves.
bool kernelsAgree(FftKernel kernel, std::size_t n, int sign, const std::vector<float>& re0,
                  const std::vector<float>& im0, bool (*same)(const std::vector<float>&, const std::vector<float>&) = sameBits)
{
    std::vector<float> re[2] = {re0, re0};
    std::vector<float> im[2] = {im0, im0};
    const FftKernel kernels[2] = {FftKernel::Scalar, kernel};
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(FftPlan(n, n, n, sign, kernels[i]).execute(re[i].data(), im[i].data()), FftStatus::Ok);
    return same(re[0], re[1]) && same(im[0], im[1]);
}

bool realSplitKernelsAgree(FftKernel kernel, std::size_t n, int sign)
{
    std::vector<float> re[2] = {randomValues(n + 1, unsigned(n)), {}};
    std::vector<float> im[2] = {randomValues(n + 1, unsigned(n) + 1), {}};
    re[1] = re[0];
    im[1] = im[0];
    const FftKernel kernels[2] = {FftKernel::Scalar, kernel};
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(FftRealSplitPlan(n, sign, kernels[i]).execute(re[i].data(), im[i].data()), FftStatus::Ok);
    return sameBits(re[0], re[1]) && sameBits(im[0], im[1]);
}

}  // namespace

TEST(FftKernel, VectorKernelIsBitIdenticalToTheScalarOne)
{
    const std::vector<std::size_t> lengths = comparedLengths();
    for (FftKernel kernel : vectorKernels())
        for (std::size_t n : lengths)
            for (int sign : {-1, 1})
                EXPECT_TRUE(kernelsAgree(kernel, n, sign, randomValues(n, unsigned(n)), randomValues(n, unsigned(n) + 1)))
                    << nameOf(kernel) << " " << n << " " << sign;
}

TEST(FftKernel, VectorRealSplitIsBitIdenticalToTheScalarOne)
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 2; n <= 600; ++n)
        lengths.push_back(n);
    for (std::size_t n = 1024; n <= (std::size_t(1) << 20); n *= 2)
        lengths.push_back(n);
    for (FftKernel kernel : vectorKernels())
        for (std::size_t n : lengths)
            for (int sign : {-1, 1})
                EXPECT_TRUE(realSplitKernelsAgree(kernel, n, sign)) << nameOf(kernel) << " " << n << " " << sign;
}

// A kernel the processor lacks is never run: the plan takes the fastest one it has instead.
TEST(FftKernel, TheFastestKernelRunsHere)
{
    EXPECT_TRUE(fftKernelRuns(fftFastestKernel()));
    EXPECT_TRUE(fftKernelRuns(FftKernel::Scalar));
    EXPECT_TRUE(fftKernelRuns(FftKernel::Sse2));
}

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
            const std::vector<float> re0 = randomValues(values, unsigned(values));
            const std::vector<float> im0 = randomValues(values, unsigned(values) + 1);
            std::vector<float> reference[2] = {re0, im0};
            ASSERT_EQ(FftPlan(s.total, s.n, s.span, sign, FftKernel::Scalar).execute(reference[0].data(), reference[1].data()),
                      FftStatus::Ok);
            for (FftKernel kernel : vectorKernels()) {
                std::vector<float> re = re0;
                std::vector<float> im = im0;
                ASSERT_EQ(FftPlan(s.total, s.n, s.span, sign, kernel).execute(re.data(), im.data()), FftStatus::Ok);
                EXPECT_TRUE(sameBits(re, reference[0]) && sameBits(im, reference[1]))
                    << nameOf(kernel) << " " << s.n << " " << sign;
            }
        }
    }
}

// Signed zeros and infinities go through the unrotated lanes bit for bit as well, and NaNs stay NaNs: the
// positions whose twiddle is 1, in the radix-2 and radix-4 passes and in the rotations after the odd factors.
TEST(FftKernel, SpecialValuesTakeTheSamePathInBothKernels)
{
    for (std::size_t n : {16, 64, 128, 1024, 2048, 30, 150, 1000, 1500, 1029, 816, 828}) {
        std::vector<float> re(n, -0.0f);
        std::vector<float> im(n, 0.0f);
        for (std::size_t j = 0; j < n; j += 3)
            im[j] = -0.0f;
        for (FftKernel kernel : vectorKernels()) {
            for (int sign : {-1, 1}) {
                EXPECT_TRUE(kernelsAgree(kernel, n, sign, re, im)) << nameOf(kernel) << " " << n;
                std::vector<float> spiky = re;
                spiky[n / 2] = std::numeric_limits<float>::infinity();
                spiky[1] = std::numeric_limits<float>::quiet_NaN();
                EXPECT_TRUE(kernelsAgree(kernel, n, sign, spiky, im, sameBitsOrBothNaN)) << nameOf(kernel) << " " << n;
                // An infinity in both parts turns into NaNs wherever a twiddle of 1 is applied, not skipped.
                std::vector<float> infinite = im;
                infinite[n / 2] = std::numeric_limits<float>::infinity();
                spiky[1] = -0.0f;
                EXPECT_TRUE(kernelsAgree(kernel, n, sign, spiky, infinite, sameBitsOrBothNaN)) << nameOf(kernel) << " " << n;
            }
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
