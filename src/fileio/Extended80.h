#pragma once
// The 10-byte x87 extended format in which the .bin file stores its sample rate.
#include <array>
#include <cstdint>

// On x86-64 `long double` is that very format, so values pass through bit for bit.
using Extended80Bytes = std::array<uint8_t, 10>;

Extended80Bytes encodeExtended80(long double value);
long double decodeExtended80(const uint8_t* bytes);
