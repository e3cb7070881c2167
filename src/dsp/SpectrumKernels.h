#pragma once
// The loops on either side of a spectrum's transform, on the widest instruction set the processor runs.
#include <cstddef>

#include "dsp/FftKernelTable.h"

// Every kernel gives the bits of the scalar one: the same operations on each value, in wider lanes, or
// exact ones.
struct SpectrumKernels {
    // The sum of the n values as sum · 2^−exponent, exact, when each value times 2^exponent is an integer
    // (exponent brings the largest magnitude below 2^(53 − ⌈log₂ n⌉), so any order of adding gives that
    // sum); false when a value is finer, infinite or NaN.
    bool (*exactSum)(const float* values, std::size_t n, double& sum, int& exponent);
    // Value i of the block, less `offset`, times taper[i] when a taper is given (each step rounded to a
    // float), written to re[i / 2] when i is even and im[i / 2] when it is odd, for i < length.
    void (*pack)(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im);
    // √(re[j]² + im[j]²) × scale, in double, into out[j − 1] for j = 1 … n.
    void (*magnitudes)(const float* re, const float* im, std::size_t n, double scale, float* out);
};

// The kernels of an instruction set this processor runs (fftKernelRuns).
const SpectrumKernels& spectrumKernels(FftKernel kernel = fftFastestKernel());
