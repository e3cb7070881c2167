#pragma once
// Singleton's mixed-radix fast Fourier transform (1969) and its real-data companion.
#include <cstddef>

#include "dsp/FftStatus.h"

// Computed in place in single precision on separate arrays of real and imaginary parts. Every call builds
// its own work area (twiddles, digit tables) and shares nothing, so transforms may run on several threads
// at once. Callers that repeat one shape keep that work in an FftPlan / FftRealSplitPlan.
class FftEngine {
public:
    // Whether a transform of n complex points can run: at least 2 points, no prime factor above 23,
    // square-free factors multiplying to at most 210.
    [[nodiscard]] static FftStatus checkLength(std::size_t n);

    // Transform of n (below 2^32) points along one dimension of `total` complex values. span is n times the
    // product of the preceding dimensions (total = n = span for a single sequence). sign < 0
    // computes X[k] = Σ x[j]·e^(−2πi·jk/n), sign > 0 uses e^(+2πi·jk/n); |sign| is the stride
    // between successive values. No scaling in either direction.
    [[nodiscard]] static FftStatus transform(float* re, float* im, std::size_t total, std::size_t n,
                                             std::size_t span, int sign);

    // Completes or prepares the transform of 2n real samples; re and im hold n + 1 values (the
    // Nyquist term at index n). Forward (sign < 0), after transform(re, im, n, n, n, sign) on the
    // samples stored alternately in re and im: re[k], im[k] for k = 0..n become twice the unscaled
    // transform of the 2n samples. Inverse (sign > 0), before transform(re, im, n, n, n, sign):
    // the samples come back alternately in re and im, multiplied by 4n.
    [[nodiscard]] static FftStatus realSplit(float* re, float* im, std::size_t n, int sign);
};
