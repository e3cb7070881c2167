#pragma once
#include <string>
#include <vector>

// Runs a Python script with Debian's numpy (/usr/bin/python3, never the first python3 on PATH)
// and returns the numbers it prints. The script finds `input` as the float32 array `x` and prints
// with out(array).
std::vector<double> numpyValues(const std::string& script, const std::vector<float>& input = {});

// Python definition of window(t, L): the five window types with 2π taken as 6.2831852.
extern const char* const NumpyWindowFormulas;
