#pragma once
// Sample i of a real block packed for a half-length complex transform: even samples in re, odd ones in im.
#include <cstddef>

inline float& interleaved(float* re, float* im, std::size_t i)
{
    return i % 2 ? im[i / 2] : re[i / 2];
}
