#pragma once
// A colour as 8-bit red, green and blue.
#include <cstdint>

struct Rgb {
    uint8_t r = 0, g = 0, b = 255;
    bool operator==(const Rgb&) const = default;
};
