#pragma once
// One value of each spectrum kernel, the reference the wider lanes follow and the tails they leave.
#include <cmath>
#include <cstddef>
#include <cstdint>

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

// Adds values i … n − 1 to sum while each is an integer in [−2³¹, 2³¹); false at the first that is not.
inline bool integerSumFrom(std::size_t i, const float* values, std::size_t n, double& sum)
{
    for (; i < n; ++i) {
        if (!(values[i] >= -0x1p31f && values[i] < 0x1p31f) || float(int32_t(values[i])) != values[i])
            return false;
        sum += double(int32_t(values[i]));
    }
    return true;
}

inline void magnitudesFrom(std::size_t j, const float* re, const float* im, std::size_t n, double scale, float* out)
{
    for (; j <= n; ++j)
        out[j - 1] = float(std::sqrt(double(re[j]) * re[j] + double(im[j]) * im[j]) * scale);
}

}  // namespace
