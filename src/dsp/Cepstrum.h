#pragma once
// The cepstrum of c samples.
#include <cstdint>

// The inverse transform of log10 of the magnitude of their transform, over N = 2^k ≥ c samples (an odd last
// sample is left out). The n = N / 2 values y[1] … y[n] go to `result`. False (nothing written) for fewer
// than 3 samples, which make fewer than 2 points.
bool cepstrum(const float* x, uint32_t c, float* result);

// n for c samples: half the smallest power of two not below c.
uint32_t cepstrumCount(uint32_t c);
