#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "dsp/FftEngine.h"
#include "dsp/FftFactors.h"

namespace {

std::vector<int> factorList(std::size_t n)
{
    FftFactors f;
    EXPECT_EQ(factorizeFftLength(n, f), FftStatus::Ok) << n;
    return {f.factor.begin(), f.factor.begin() + f.count};
}

// Prime factors with their exponents, by plain trial division.
std::map<std::size_t, int> primeFactors(std::size_t n)
{
    std::map<std::size_t, int> factors;
    for (std::size_t p = 2; n > 1; ++p)
        while (n % p == 0) {
            ++factors[p];
            n /= p;
        }
    return factors;
}

}  // namespace

TEST(FftFactors, SquareFactorsMirrorAroundTheSquareFreeMiddle)
{
    using V = std::vector<int>;
    EXPECT_EQ(factorList(2), V({2}));
    EXPECT_EQ(factorList(4), V({4}));
    EXPECT_EQ(factorList(8), V({2, 2, 2}));
    EXPECT_EQ(factorList(16), V({4, 4}));
    EXPECT_EQ(factorList(32), V({4, 2, 4}));
    EXPECT_EQ(factorList(64), V({4, 4, 4}));
    EXPECT_EQ(factorList(128), V({4, 2, 2, 2, 4}));
    EXPECT_EQ(factorList(1024), V({4, 4, 4, 4, 4}));
    EXPECT_EQ(factorList(2048), V({4, 4, 2, 2, 2, 4, 4}));
    EXPECT_EQ(factorList(6), V({2, 3}));
    EXPECT_EQ(factorList(12), V({2, 3, 2}));
    EXPECT_EQ(factorList(15), V({3, 5}));
    EXPECT_EQ(factorList(36), V({3, 4, 3}));
    EXPECT_EQ(factorList(45), V({3, 5, 3}));
    EXPECT_EQ(factorList(210), V({2, 3, 5, 7}));
    EXPECT_EQ(factorList(720), V({4, 3, 5, 3, 4}));
    EXPECT_EQ(factorList(23 * 23), V({23, 23}));
    EXPECT_EQ(factorList(4 * 9 * 25 * 7), V({3, 5, 2, 7, 2, 5, 3}));
}

TEST(FftFactors, RefusesExactlyTheLengthsBeyondTheLimits)
{
    EXPECT_EQ(FftEngine::checkLength(0), FftStatus::TooShort);
    EXPECT_EQ(FftEngine::checkLength(1), FftStatus::TooShort);
    EXPECT_EQ(FftEngine::checkLength(3 * 5 * 7 * 11), FftStatus::SquareFreeProductTooLarge);
    EXPECT_EQ(FftEngine::checkLength(29), FftStatus::PrimeFactorTooLarge);
    EXPECT_EQ(FftEngine::checkLength(29 * 29), FftStatus::PrimeFactorTooLarge);
    for (std::size_t n = 2; n <= 4096; ++n) {
        std::size_t largestPrime = 0;
        std::size_t squareFree = 1;
        for (auto [p, e] : primeFactors(n)) {
            largestPrime = p;
            if (e % 2 == 1)
                squareFree *= p;
        }
        FftStatus expected = FftStatus::Ok;
        if (largestPrime > 23)
            expected = FftStatus::PrimeFactorTooLarge;
        else if (squareFree > 210)
            expected = FftStatus::SquareFreeProductTooLarge;
        EXPECT_EQ(FftEngine::checkLength(n), expected) << n;
    }
}

TEST(FftFactors, MessagesForCallersThatReportARefusal)
{
    EXPECT_EQ(fftStatusMessage(FftStatus::SquareFreeProductTooLarge),
              "product of square free factors exceeds allowed limit\n");
    EXPECT_TRUE(fftStatusMessage(FftStatus::Ok).empty());
    for (FftStatus s : {FftStatus::TooShort, FftStatus::PrimeFactorTooLarge, FftStatus::BadArguments})
        EXPECT_TRUE(fftStatusMessage(s).ends_with('\n'));
}
