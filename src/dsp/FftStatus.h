#pragma once
// Why a transform did not run.
#include <string_view>

// A refused call leaves the data untouched.
enum class FftStatus {
    Ok,
    TooShort,                   // fewer than 2 complex points
    SquareFreeProductTooLarge,  // the square-free factors of the length multiply to more than 210
    PrimeFactorTooLarge,        // the length has a prime factor above 23
    BadArguments,               // sign 0, a null array, total/span not whole multiples of n/span, n ≥ 2^32
};

// A line that callers may show for a refused transform (each ends in a newline); empty for Ok.
std::string_view fftStatusMessage(FftStatus status);
