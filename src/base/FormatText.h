#pragma once
// The texts the program shows and stores are printf formats ("%.3Lf", "%lu (2^%u)", " %u#FFT(%s)").
#include <string>

// The compiler checks the arguments against every literal format. Numbers come out in the C locale.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
