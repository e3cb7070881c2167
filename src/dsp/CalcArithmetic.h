#pragma once
// The calculator's sample-wise operators.
#include <cstddef>

// Values without a real result (square root or logarithm of a value at or below zero, division by zero)
// give 0, as the calculator defines them.
namespace CalcArithmetic {
// sqrt, squared, log, 2*, 10*, (1/10)*, (1/2)* by their code characters; other codes change nothing.
void applyUnary(char code, float* values, std::size_t count);
// result ∘ u for -, +, *, / over `count` values.
void applyBinary(char code, float* result, const float* u, std::size_t count);
}  // namespace CalcArithmetic
