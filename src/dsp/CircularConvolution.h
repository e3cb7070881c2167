#pragma once
// The calculator's conv: the circular convolution of two sequences.
#include <cstddef>

// With n = max(resultCount, operandCount) and both sequences padded with zeros to n, out[i] = Σ_j u[j] ·
// r[(i − j) mod n] for i = 0 … n − 1, written over `result` (room for n values). Short sequences are summed
// directly in double; long ones go through a transform of a power of two at least 2n − 1 long and are
// wrapped back onto n points. Throws std::bad_alloc when the work arrays cannot be had.
void circularConvolution(float* result, std::size_t resultCount, const float* u, std::size_t operandCount);
