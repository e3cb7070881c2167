#pragma once
// The parallel projection of the mesh view for one of 36 azimuths and 16 elevations.
#include <cstdint>
#include <utility>

struct ViewLevel;

// A point of the 3D views in their logical space, truncated to integers.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Painter's order of the cells: far rows and bins first, so nearer cells cover them.
struct DrawingOrder {
    bool rowsForward = true;
    bool binsForward = true;

    static DrawingOrder of(int32_t azimuth);
    // +1 when drawn first to last, -1 otherwise.
    int rowStep() const { return rowsForward ? 1 : -1; }
    int binStep() const { return binsForward ? 1 : -1; }
};

// The viewer sits at √3 (sin φ cos θ, sin φ sin θ, cos φ) with θ = 10°(a + 1), φ = 10°(e + 1); the matrix
// spans u, v in -500 ... 500 and z in -490 ... 510 before the projection.
class Projection3D {
public:
    struct Coefficients {
        double c0 = 0, c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    };

    // The table entry, built once; indices outside 0 ... 35 and 0 ... 16 are clamped.
    static const Coefficients& coefficients(int32_t azimuth, int32_t elevation);
    // The mesh view to show for a saved view: the Spectrogram form saves -1 and -1, which have no
    // table entry, and stands for azimuth 15, elevation 3.
    static std::pair<int32_t, int32_t> meshView(int32_t azimuth, int32_t elevation);

    Projection3D(int32_t azimuth, int32_t elevation);

    // (400 + k0 u + k1 v, 270 - (k2 u + k3 v + k4 z)) with k = c / 450.
    ScreenPoint at(double u, double v, double z) const;
    // The point of row r, bin j with this value, inside the level's rectangle and Z range.
    ScreenPoint ofCell(const ViewLevel& level, int64_t r, int64_t j, float value) const;

private:
    double k0_, k1_, k2_, k3_, k4_;
};
