#include "dsp/FftStatus.h"

std::string_view fftStatusMessage(FftStatus status)
{
    switch (status) {
    case FftStatus::Ok:
        return {};
    case FftStatus::TooShort:
        return "transform needs at least 2 points\n";
    case FftStatus::SquareFreeProductTooLarge:
        return "product of square free factors exceeds allowed limit\n";
    case FftStatus::PrimeFactorTooLarge:
        return "prime factor exceeds allowed limit\n";
    case FftStatus::BadArguments:
        return "invalid transform arguments\n";
    }
    return {};
}
