#pragma once
// The loops on either side of a spectrum's transform, on the widest instruction set the processor runs.
#include <cstddef>

#include "dsp/FftKernelTable.h"

// Every kernel gives the bits of the scalar one: the same operations on each value, in wider lanes, or
// exact ones.
struct SpectrumKernels {
    // For n below IntegerSumLimit: the sum of the n values when each is an integer in [−2³¹, 2³¹), which
    // every order of adding gives exactly (held in a double); false when a value is not such an integer.
    bool (*integerSum)(const float* values, std::size_t n, double& sum);
    // Value i of the block, less `offset`, times taper[i] when a taper is given (each step rounded to a
    // float), written to re[i / 2] when i is even and im[i / 2] when it is odd, for i < length.
    void (*pack)(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im);
    // √(re[j]² + im[j]²) × scale, in double, into out[j − 1] for j = 1 … n.
    void (*magnitudes)(const float* re, const float* im, std::size_t n, double scale, float* out);
};

inline constexpr std::size_t IntegerSumLimit = std::size_t(1) << 22;

// The kernels of an instruction set this processor runs (fftKernelRuns).
const SpectrumKernels& spectrumKernels(FftKernel kernel = fftFastestKernel());
