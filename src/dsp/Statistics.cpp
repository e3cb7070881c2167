#include "dsp/Statistics.h"

#include <cmath>

#include "dsp/SpectrumKernels.h"

long double mean(const float* values, std::size_t n)
{
    if (n == 0)
        return 0;
    // Values on a grid of 2^−k fine enough for every one of them (integers from the readers of integer
    // files, most floats of a recording) add up exactly, in the extended sums below too: their exact sum is
    // the same number, found in wide lanes.
    double sum = 0;
    if (int exponent = 0; spectrumKernels().exactSum(values, n, sum, exponent))
        return std::ldexp((long double)sum, -exponent) / n;
    // Four running sums keep the extended additions from waiting on each other.
    long double a = 0, b = 0, c = 0, d = 0;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        a += values[i];
        b += values[i + 1];
        c += values[i + 2];
        d += values[i + 3];
    }
    for (; i < n; ++i)
        a += values[i];
    return (a + b + (c + d)) / n;
}

double standardDeviation(const float* values, std::size_t n)
{
    if (n == 0)
        return 0;
    const long double m = mean(values, n);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = static_cast<double>(values[i] - m);
        sum += d * d;
    }
    return std::sqrt(sum / n);
}
