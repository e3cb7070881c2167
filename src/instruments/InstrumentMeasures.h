#pragma once
// The numbers instruments reduce their parent's data to.
#include <cstdint>
#include <span>

class FFTSignal;

// Samples are the visible part of the parent, taken in order; NaN samples are passed over by the extremes
// and carried through by the sums.
namespace InstrumentMeasures {

struct Extreme {
    float value = 0;
    // Relative to the first sample; the first of equal extremes wins.
    uint32_t index = 0;
};

// The largest and the smallest sample; NaN at index 0 when every sample is NaN or there is none.
Extreme maximum(std::span<const float> samples);
Extreme minimum(std::span<const float> samples);

// Σ |x|, in double.
double sumOfMagnitudes(std::span<const float> samples);
// √(Σ x² / n), in double.
double rms(std::span<const float> samples);
// √(Σ (x − mean)² / n) with the mean of a double sum.
double rmsAboutMean(std::span<const float> samples);
// 20 ln(x₀ / (S − x₀)), S the double sum of the samples above x₀; 0 where the logarithm has no
// finite result (S = x₀, a ratio of 0 or below).
double thd(std::span<const float> samples);
// 20 ln(M / ((T − M) / (n − 1))), M the largest sample and T the double sum of all; 0 when T = M and
// where the logarithm has no finite result.
double snr(std::span<const float> samples);

// The double sum of the cells of the 3D data's current level (its rows, and its bins that lie in
// [from, to], bin j at f₀ + j Δf); 0 when no bin does.
double bandSum(const FFTSignal& data, long double from, long double to);

}  // namespace InstrumentMeasures
