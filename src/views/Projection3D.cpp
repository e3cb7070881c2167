#include "views/Projection3D.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "views/FFTSignal.h"
#include "views/TruncatedPixel.h"

namespace {
constexpr int32_t Azimuths = FFTSignal::Azimuths;
constexpr int32_t Elevations = FFTSignal::MaxElevation + 1;

using Table = std::array<Projection3D::Coefficients, std::size_t(Azimuths * Elevations)>;

Table makeTable()
{
    Table table{};
    const double degree = std::numbers::pi / 180;
    for (int32_t a = 0; a < Azimuths; ++a)
        for (int32_t e = 0; e < Elevations; ++e) {
            const double theta = 10.0 * (a + 1) * degree;
            const double phi = 10.0 * (e + 1) * degree;
            const double x = std::sqrt(3.0) * std::sin(phi) * std::cos(theta);
            const double y = std::sqrt(3.0) * std::sin(phi) * std::sin(theta);
            const double z = std::sqrt(3.0) * std::cos(phi);
            const double g = x * x + y * y;
            const double h = g + z * z;
            const double l = std::sqrt(g);
            const double m = std::sqrt(h * g);
            Projection3D::Coefficients& c = table[std::size_t(a * Elevations + e)];
            c.c0 = 333.33325 / std::sqrt(h) * y / l;
            c.c1 = 333.33325 / std::sqrt(h) * (-x) / l;
            c.c2 = 300 / std::sqrt(h) * (-x * z) / m;
            c.c3 = 300 / std::sqrt(h) * (-y * z) / m;
            c.c4 = 300 / std::sqrt(h) * g / m;
        }
    return table;
}
}  // namespace

DrawingOrder DrawingOrder::of(int32_t azimuth)
{
    return {azimuth <= 8 || azimuth >= 27, azimuth <= 17};
}

const Projection3D::Coefficients& Projection3D::coefficients(int32_t azimuth, int32_t elevation)
{
    static const Table table = makeTable();
    const int32_t a = std::clamp(azimuth, 0, Azimuths - 1);
    const int32_t e = std::clamp(elevation, 0, Elevations - 1);
    return table[std::size_t(a * Elevations + e)];
}

std::pair<int32_t, int32_t> Projection3D::meshView(int32_t azimuth, int32_t elevation)
{
    if (azimuth < 0 || azimuth >= Azimuths || elevation < 1 || elevation >= Elevations)
        return {15, 3};
    return {azimuth, elevation};
}

Projection3D::Projection3D(int32_t azimuth, int32_t elevation)
{
    const Coefficients& c = coefficients(azimuth, elevation);
    k0_ = c.c0 / 450;
    k1_ = c.c1 / 450;
    k2_ = c.c2 / 450;
    k3_ = c.c3 / 450;
    k4_ = c.c4 / 450;
}

ScreenPoint Projection3D::at(double u, double v, double z) const
{
    return {truncatedPixel(400 + k0_ * u + k1_ * v), truncatedPixel(270 - (k2_ * u + k3_ * v + k4_ * z))};
}

ScreenPoint Projection3D::ofCell(const ViewLevel& level, int64_t r, int64_t j, float value) const
{
    // A level of one row or one bin stands at the near edge rather than dividing by zero.
    const double rowSpan = std::max(level.rowCount - 1, 1);
    const double binSpan = std::max(level.binCount - 1, 1);
    const double zSpan = double(level.zMax) - double(level.zMin);
    const double u = 1000.0 * double(r - level.firstRow) / rowSpan - 500;
    const double v = 1000.0 * double(j - level.firstBin) / binSpan - 500;
    const double z = zSpan > 0 ? (double(value) - level.zMin) / (zSpan * 0.001) - 490 : -490;
    return at(u, v, z);
}
