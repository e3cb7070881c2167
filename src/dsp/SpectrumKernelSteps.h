#pragma once
// One value of each spectrum kernel, the reference the wider lanes follow and the tails they leave.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

// Internal to each file that includes it: the files are built for different instruction sets.
namespace {

inline float conditionedValue(float x, double offset, const double* taper, std::size_t i)
{
    const float centred = float(x - offset);
    return taper ? float(centred * taper[i]) : centred;
}

inline void packFrom(std::size_t i, const float* block, std::size_t length, double offset, const double* taper,
                     float* re, float* im)
{
    for (; i < length; ++i) {
        // Not `(i % 2 ? im : re)[i / 2]`, which GCC 12 misplaces at -O1 with the sanitizers.
        const float value = conditionedValue(block[i], offset, taper, i);
        if (i % 2)
            im[i / 2] = value;
        else
            re[i / 2] = value;
    }
}

// The largest magnitude among values i … n − 1 and `largest`, NaNs passed over.
inline float largestFrom(std::size_t i, const float* values, std::size_t n, float largest)
{
    for (; i < n; ++i)
        largest = std::fabs(values[i]) > largest ? std::fabs(values[i]) : largest;
    return largest;
}

// Whether w is an integer, for |w| below 2^52: adding 2^52 rounds it to one.
inline bool whole(double w)
{
    const double a = std::fabs(w);
    return (a + 0x1p52) - 0x1p52 == a;
}

// Adds values i … n − 1 times `scale` to sum while each product is an integer; false at the first that is not.
inline bool scaledSumFrom(std::size_t i, const float* values, std::size_t n, double scale, double& sum)
{
    for (; i < n; ++i) {
        const double w = double(values[i]) * scale;
        if (!whole(w))
            return false;
        sum += w;
    }
    return true;
}

// The exact sum of n values as sum · 2^−exponent, from a kernel's largest magnitude and scaled sum:
// 2^exponent brings every magnitude below 2^(53 − ⌈log₂ n⌉), so that integers times it add up exactly in
// any order, and so do the values themselves in any wider sum.
template <typename Largest, typename ScaledSum>
bool exactSumWith(Largest largestOf, ScaledSum scaledSum, const float* values, std::size_t n, double& sum,
                  int& exponent)
{
    const float largest = largestOf(values, n);
    if (!(largest <= std::numeric_limits<float>::max()))
        return false;
    // largest < 2^power, read from its exponent bits (a subnormal's bound is looser than need be).
    const int power = int(std::bit_cast<uint32_t>(largest) >> 23) - 126;
    exponent = 53 - int(std::bit_width(n - 1)) - power;
    sum = 0;
    return scaledSum(values, n, std::bit_cast<double>(uint64_t(exponent + 1023) << 52), sum);
}

inline void magnitudesFrom(std::size_t j, const float* re, const float* im, std::size_t n, double scale, float* out)
{
    for (; j <= n; ++j)
        out[j - 1] = float(std::sqrt(double(re[j]) * re[j] + double(im[j]) * im[j]) * scale);
}

}  // namespace
