#include "views/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/FormatText.h"

double TickStep(double a, double b)
{
    double r = std::fabs(b - a);
    // A range with no finite width has no ticks; the loops below would never end on an infinite one.
    if (!std::isfinite(r) || r == 0)
        return 0;
    double d = 1;
    while (r < 100 && r != 0) {
        r *= 10;
        d *= 10;
    }
    while (r > 1000) {
        r *= 0.1;
        d *= 0.1;
    }
    const double step = std::ceil(r * 0.01) * 10 / d;
    return std::isfinite(step) ? step : 0;
}

double FirstTick(double a, double step)
{
    if (!std::isfinite(a) || !(step > 0) || !std::isfinite(step))
        return a;
    // Scaling the start and the step together keeps the division in a range where it is exact enough.
    const double sign = a < 0 ? -1 : 1;
    double magnitude = std::fabs(a);
    double d = 1;
    while (magnitude < 100 && magnitude != 0) {
        magnitude *= 10;
        step *= 10;
        d *= 10;
    }
    while (magnitude > 1000) {
        magnitude *= 0.1;
        step *= 0.1;
        d *= 0.1;
    }
    return std::ceil(sign * magnitude / step) * step / d;
}

std::vector<double> LinearTicks(double a, double b)
{
    constexpr int MaxTicks = 1000;
    std::vector<double> ticks;
    const double step = TickStep(a, b);
    if (!(step > 0) || !std::isfinite(step))
        return ticks;
    double t = FirstTick(a, step);
    for (int n = 0; t < b && n < MaxTicks; ++n, t += step)
        ticks.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
    return ticks;
}

std::string TickLabel(double value, double step)
{
    int digits = 5;
    if (step > 0 && std::isfinite(step) && std::isfinite(value) && value != 0) {
        // The digits from the value's leading one down to the step's, with a margin for a step's
        // rounding (0.1 is a little below a tenth).
        const double leading = std::floor(std::log10(std::fabs(value)));
        const double last = std::floor(std::log10(step) + 1e-9);
        digits = int(std::clamp(leading - last + 1, 5.0, 17.0));
    }
    // Adding 0 turns a negative zero, which ceil() gives for a range starting below 0, into 0.
    return formatText("%.*G", digits, value + 0.0);
}

bool ReadsAsClock(double a, double b)
{
    constexpr double Hour = 3600;
    return std::isfinite(a) && std::isfinite(b) && std::max(std::fabs(a), std::fabs(b)) > Hour;
}

std::string ClockLabel(double seconds, double step)
{
    constexpr int MaxDecimals = 9;
    int decimals = 0;
    if (step > 0 && std::isfinite(step))
        decimals = int(std::max(0.0, -std::floor(std::log10(step) + 1e-9)));
    // Beyond a nanosecond, or past a range whose units would not fit 64 bits, the seconds' digits do.
    if (!std::isfinite(seconds) || decimals > MaxDecimals || std::fabs(seconds) > 1e9)
        return TickLabel(seconds, step);
    // Whole units of the last decimal, so that 7199.996 rounded to two decimals carries into 2:00:00.00.
    int64_t perSecond = 1;
    for (int i = 0; i < decimals; ++i)
        perSecond *= 10;
    const int64_t units = std::llround(std::fabs(seconds) * double(perSecond));
    const int64_t whole = units / perSecond;
    std::string text = formatText("%s%lld:%02lld:%02lld", units != 0 && seconds < 0 ? "-" : "",
                                  (long long)(whole / 3600), (long long)(whole / 60 % 60), (long long)(whole % 60));
    if (decimals > 0)
        text += formatText(".%0*lld", decimals, (long long)(units % perSecond));
    return text;
}
