#pragma once
// The conditioning steps a block goes through before its transform.
#include <cstddef>

// Also the detrended and peak-removed signals and the calculator's cross operations.

// Subtracts the least-squares line: a centred ramp of unit norm carries the slope, the mean the level.
void removeLinearTrend(float* values, std::size_t count);

// Replaces by the mean every value farther than k standard deviations from it (or not comparable,
// NaN); one pass, the mean and deviation are not recomputed.
void removePeaks(float* values, std::size_t count, double k);

// Value i of the block, less `offset`, times taper[i] when a taper is given (each step rounded to
// a float), packed alternately into re and im; zeros fill the points beyond the block up to n.
void packConditioned(const float* block, std::size_t length, double offset, const double* taper, float* re,
                     float* im, std::size_t n);
