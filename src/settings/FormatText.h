#pragma once
#include <cstdio>
#include <string>

// The texts the program shows and stores are printf formats ("%.3Lf", "%lu (2^%u)", " %u#FFT(%s)"):
// callers pass the argument types those formats name.
template <class... Args>
std::string formatText(const char* format, Args... args)
{
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0)
        return {};
    std::string text(std::size_t(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}
