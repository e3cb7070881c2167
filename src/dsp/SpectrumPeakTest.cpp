#include "dsp/SpectrumPeakTest.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr std::size_t MaxPeaks = 100;
}  // namespace

void keepSignificantPeaks(std::span<float> values, int32_t level)
{
    float* x = values.data();
    const std::size_t n = values.size();
    if (n < 2)
        return;
    const double m = double(n - 1);
    const double critical = level == 5 ? 1.033 * std::pow(m, -0.72356) : 1.4987 * std::pow(m, -0.79695);
    const double d = std::pow(level / 100.0 / m, 1.0 / (m - 1));
    const double threshold = (1 - d) * 0.6;
    double sum = 0;
    for (std::size_t i = 0; i + 1 < n; ++i)
        sum += x[i];
    double g = sum / m;

    std::array<std::size_t, MaxPeaks> index;
    std::array<float, MaxPeaks> value;
    std::size_t peaks = 0;
    while (peaks < MaxPeaks) {
        // The excess is measured in shares of the sum, so the test does not depend on the signal's unit.
        double excess = 0;
        if (sum != 0)
            for (std::size_t i = 0; i < n; ++i)
                if (threshold < x[i] / sum)
                    excess += x[i] / sum - threshold;
        if (excess < critical)
            break;
        // Each peak taken is replaced by the mean of the rest, which the sum and the mean follow.
        for (std::size_t i = 0; i < n && peaks < MaxPeaks; ++i) {
            if (!(threshold < x[i] / sum))
                continue;
            const float peak = x[i];
            index[peaks] = i;
            value[peaks] = peak;
            ++peaks;
            sum = sum - peak + g;
            x[i] = float(g);
            g = g + (g - peak) / m;
        }
    }
    std::fill_n(x, n, 0.0f);
    for (std::size_t p = 0; p < peaks; ++p)
        x[index[p]] = value[p];
}
