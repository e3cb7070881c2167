#include "fileio/Extended80.h"

#include <bit>
#include <cstring>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10,
              "long double must be the x87 80-bit extended format");
static_assert(std::endian::native == std::endian::little, "the 10 bytes are stored in memory order");

Extended80Bytes encodeExtended80(long double value)
{
    Extended80Bytes bytes;
    std::memcpy(bytes.data(), &value, bytes.size());
    return bytes;
}

long double decodeExtended80(const uint8_t* bytes)
{
    // The padding bytes beyond the tenth are not part of the value; zero them for a defined object.
    long double value = 0;
    std::memcpy(&value, bytes, sizeof(Extended80Bytes));
    return value;
}
