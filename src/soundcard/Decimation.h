#pragma once
// N : 1 decimation in place of recorded 16-bit frames.
#include <cstdint>

// Output frame k of each of the C channels is the mean of that channel's samples in frames kN … kN + N − 1,
// rounded to the nearest integer (halves upward); the first L frames of the block then hold the result. The
// block holds L × N frames.
void decimateInPlace(int16_t* block, uint32_t frames, uint32_t ratio, uint32_t channels);
