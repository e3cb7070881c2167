#include "views/InstrumentReading.h"

#include <algorithm>
#include <cmath>

double InstrumentReading::clampedValue() const
{
    const double low = std::min(rangeFrom, rangeTo);
    const double high = std::max(rangeFrom, rangeTo);
    if (std::isnan(value))
        return low;
    return std::clamp(value, low, high);
}
