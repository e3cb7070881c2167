#include "dsp/FftFactors.h"

std::size_t FftFactors::middleProduct() const
{
    std::size_t product = 1;
    for (int i = squareCount; i < count - squareCount; ++i)
        product *= std::size_t(factor[i]);
    return product;
}

namespace {
// True when every prime factor of n is at most the largest one the passes handle.
bool hasOnlySmallPrimes(std::size_t n)
{
    for (std::size_t p = 2; p <= std::size_t(FftMaxPrimeFactor); ++p)
        while (n % p == 0)
            n /= p;
    return n == 1;
}
}  // namespace

FftStatus factorizeFftLength(std::size_t n, FftFactors& out)
{
    out = FftFactors{};
    if (!hasOnlySmallPrimes(n))
        return FftStatus::PrimeFactorTooLarge;
    auto add = [&out](std::size_t f) { out.factor[out.count++] = int(f); };
    std::size_t rest = n;
    // Each 16 becomes one radix-4 pass on either side, the fastest path for powers of two.
    while (rest % 16 == 0) {
        add(4);
        rest /= 16;
    }
    for (std::size_t j = 3; j * j <= rest; j += 2) {
        while (rest % (j * j) == 0) {
            add(j);
            rest /= j * j;
        }
    }
    if (rest <= 4) {
        out.squareCount = out.count;
        if (rest != 1)
            add(rest);
    } else {
        if (rest % 4 == 0) {
            add(2);
            rest /= 4;
        }
        out.squareCount = out.count;
        for (std::size_t j = 2; j <= rest; j = (j + 1) / 2 * 2 + 1) {
            if (rest % j == 0) {
                add(j);
                rest /= j;
            }
        }
    }
    for (int i = out.squareCount - 1; i >= 0; --i)
        out.factor[out.count++] = out.factor[i];

    if (out.middleProduct() > FftMaxSquareFreeProduct)
        return FftStatus::SquareFreeProductTooLarge;
    return FftStatus::Ok;
}
