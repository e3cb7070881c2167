#include "views/InstrumentDial.h"

#include <algorithm>
#include <cmath>

#include "views/AxisTicks.h"

namespace {
constexpr double ScaleRadians = 4.7124;
constexpr double StartRadians = 3.927;
constexpr double FirstTickAngle = -0.7854;
constexpr double TickAngleStep = 0.07854;
constexpr double LastTick = 3.93;
constexpr double DegreesPerRadian = 57.29577951308232;
// Labels stay a handful even for a scale the scaled arithmetic cannot hold.
constexpr int MaxLabels = 200;

// |b − a| scaled by powers of ten into [100, 1000]: the scaled width and the factor d.
std::pair<double, double> scaled(double a, double b)
{
    double c = std::fabs(b - a);
    double d = 1;
    while (c > 0 && c < 100) {
        c *= 10;
        d *= 10;
    }
    while (c > 1000 && std::isfinite(c)) {
        c /= 10;
        d /= 10;
    }
    return {c, d};
}
}  // namespace

InstrumentDial::InstrumentDial(int width, int height, double rangeFrom, double rangeTo)
    : side_(std::max(std::min(width, height - 40), 0)), from_(rangeFrom), to_(rangeTo),
      k_(rangeTo != rangeFrom ? ScaleRadians / (rangeTo - rangeFrom) : 0)
{
}

double InstrumentDial::screenAngle(double value) const
{
    return k_ * (value - from_) - StartRadians;
}

double InstrumentDial::degreesOf(double value) const
{
    return -screenAngle(value) * DegreesPerRadian;
}

InstrumentDial::Sector InstrumentDial::scale() const
{
    return {degreesOf(from_), degreesOf(to_) - degreesOf(from_)};
}

std::vector<InstrumentDial::Sector> InstrumentDial::criticalSectors(const InstrumentReading& reading) const
{
    if (!reading.hasCriticalRange())
        return {};
    const auto between = [this](double a, double b) { return Sector{degreesOf(a), degreesOf(b) - degreesOf(a)}; };
    if (reading.inner)
        return {between(reading.criticalFrom, reading.criticalTo)};
    return {between(from_, reading.criticalFrom), between(reading.criticalTo, to_)};
}

std::vector<InstrumentDial::Tick> InstrumentDial::ticks() const
{
    const double r = radius();
    std::vector<Tick> out;
    for (int i = 0;; ++i) {
        const double a = FirstTickAngle + i * TickAngleStep;
        if (a > LastTick)
            break;
        const double c = std::cos(a), s = std::sin(a);
        out.push_back({{r + r * c, r + 20 - r * s}, {r + r * 14 / 15 * c, r + 20 - r * 14 / 15 * s}});
    }
    return out;
}

std::vector<InstrumentDial::Label> InstrumentDial::labels() const
{
    const auto [c, d] = scaled(from_, to_);
    if (!(c > 0) || !std::isfinite(c) || !(d > 0))
        return {};
    // In the scaled space the labels are whole multiples of the step, so none is lost to rounding.
    const double step = std::ceil(c / 100) * 10;
    const double first = std::ceil(from_ * d / step) * step;
    const double last = to_ * d;
    const double r = radius();
    std::vector<Label> out;
    for (int i = 0; i < MaxLabels && first + i * step <= last; ++i) {
        const double v = (first + i * step) / d + 0.0;
        const double h = StartRadians - (v - from_) * k_;
        const Align align = h > 1.7 ? Align::Right : h >= 1.3 ? Align::Centre : Align::Left;
        out.push_back({v, TickLabel(v), {r + (r + 5) * std::cos(h), r + 20 - (r + 20) * std::sin(h)}, align});
    }
    return out;
}

std::array<InstrumentDial::Point, 3> InstrumentDial::needle(double value) const
{
    const Point o = centre();
    const double angle = screenAngle(value);
    const double length = radius() * 14 / 15;
    const double c = std::cos(angle), s = std::sin(angle);
    return {Point{o.x - 3 * s, o.y + 3 * c}, Point{o.x + 3 * s, o.y - 3 * c}, Point{o.x + length * c, o.y + length * s}};
}
