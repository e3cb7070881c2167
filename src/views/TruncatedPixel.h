#pragma once
// A logical coordinate truncated towards zero, as the views measure points.
#include <algorithm>
#include <cmath>

// Values far outside any picture (a huge value, infinity, NaN) are held at a bound, since converting them
// would be undefined.
inline int truncatedPixel(double value)
{
    constexpr double Bound = 1e7;
    if (std::isnan(value))
        return 0;
    return int(std::clamp(value, -Bound, Bound));
}
