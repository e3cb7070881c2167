#pragma once
// Mean and standard deviation of a block of samples.
#include <cstddef>

// Mean with the sum accumulated in extended precision.
long double mean(const float* values, std::size_t n);
// Population standard deviation (divisor n), squares accumulated in double.
double standardDeviation(const float* values, std::size_t n);
