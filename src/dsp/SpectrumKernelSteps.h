#pragma once
// One value of each spectrum kernel, the reference the wider lanes follow and the tails they leave.
#include <cmath>
#include <cstddef>

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

inline void magnitudesFrom(std::size_t j, const float* re, const float* im, std::size_t n, double scale, float* out)
{
    for (; j <= n; ++j)
        out[j - 1] = float(std::sqrt(double(re[j]) * re[j] + double(im[j]) * im[j]) * scale);
}

}  // namespace
