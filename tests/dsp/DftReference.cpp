#include "DftReference.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

DftReference::DftReference(std::size_t n, int sign) : cos_(n), sin_(n)
{
    const double direction = sign < 0 ? -1.0 : 1.0;
    for (std::size_t t = 0; t < n; ++t) {
        const double angle = 2.0 * std::numbers::pi * double(t) / double(n);
        cos_[t] = std::cos(angle);
        sin_[t] = direction * std::sin(angle);
    }
}

std::complex<double> DftReference::root(std::size_t t) const
{
    t %= size();
    return {cos_[t], sin_[t]};
}

std::complex<double> DftReference::bin(const float* re, const float* im, std::size_t k, std::size_t stride) const
{
    const std::size_t n = size();
    double sumRe = 0;
    double sumIm = 0;
    std::size_t t = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const double xr = re[j * stride];
        const double xi = im[j * stride];
        sumRe += xr * cos_[t] - xi * sin_[t];
        sumIm += xr * sin_[t] + xi * cos_[t];
        t += k;
        if (t >= n)
            t %= n;
    }
    return {sumRe, sumIm};
}

std::vector<std::size_t> binsToCheck(std::size_t n)
{
    std::vector<std::size_t> bins;
    if (n <= 1024) {
        for (std::size_t k = 0; k < n; ++k)
            bins.push_back(k);
        return bins;
    }
    for (std::size_t k : {std::size_t(0), std::size_t(1), std::size_t(2), n / 2, n - 2, n - 1})
        bins.push_back(k);
    for (std::size_t i = 0; bins.size() < 64; ++i)
        bins.push_back((i * 2654435761u + 12345u) % n);
    return bins;
}

std::vector<float> randomValues(std::size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> values(count);
    std::generate(values.begin(), values.end(), [&] { return uniform(generator); });
    return values;
}

double errorCeiling(std::size_t n)
{
    return std::max(3.0e-6, 2.0e-10 * double(n));
}

void RelativeError::add(std::complex<double> got, std::complex<double> want)
{
    worst_ = std::max(worst_, std::abs(got - want));
    largest_ = std::max(largest_, std::abs(want));
}
