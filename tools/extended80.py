"""The x87 80-bit extended format of the program's legacy files, little endian (also how a long double
is laid out on x86-64)."""
import math
import struct


def extended80(value):
    if value == 0:
        return bytes(10)
    sign = 0x8000 if value < 0 else 0
    if math.isinf(value):
        return struct.pack('<QH', 1 << 63, sign | 0x7FFF)
    if math.isnan(value):
        return struct.pack('<QH', 3 << 62, 0x7FFF)
    mantissa, exponent = math.frexp(abs(value))
    return struct.pack('<QH', int(mantissa * (1 << 64)), sign | (exponent - 1 + 16383))
