#pragma once
// A real transform of 2n samples works on them as n complex points.
#include <cstddef>

// Sample 2j goes to re[j] and sample 2j + 1 to im[j]. Packing and unpacking move values only, so they are
// exact.
void fftPackReal(const float* samples, std::size_t n, float* re, float* im);
void fftUnpackReal(const float* re, const float* im, std::size_t n, float* samples);
