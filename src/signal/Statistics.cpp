#include "signal/Statistics.h"

#include <cmath>

long double mean(const float* values, std::size_t n)
{
    if (n == 0)
        return 0;
    long double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += values[i];
    return sum / n;
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
