#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/NumpyReference.h"
#include "views/Projection3D.h"
#include "views/ViewLevel.h"

// Every entry of the table against the formulas evaluated by numpy in vectors.
TEST(Projection3D, TableMatchesNumpy)
{
    const std::string script = R"(
a, e = np.meshgrid(np.arange(36), np.arange(17), indexing='ij')
th = np.radians(10.0 * (a + 1)); ph = np.radians(10.0 * (e + 1))
V = np.sqrt(3.0) * np.stack([np.sin(ph) * np.cos(th), np.sin(ph) * np.sin(th), np.cos(ph)])
x, y, z = V
g = x * x + y * y; h = g + z * z; l = np.sqrt(g); m = np.sqrt(h * g)
c = np.stack([333.33325 / np.sqrt(h) * y / l, 333.33325 / np.sqrt(h) * -x / l,
              300 / np.sqrt(h) * (-x * z) / m, 300 / np.sqrt(h) * (-y * z) / m, 300 / np.sqrt(h) * g / m], axis=-1)
out(c.reshape(-1))
)";
    const std::vector<double> want = numpyValues(script);
    ASSERT_EQ(want.size(), 36u * 17u * 5u);
    for (int a = 0; a < 36; ++a)
        for (int e = 0; e < 17; ++e) {
            const Projection3D::Coefficients& c = Projection3D::coefficients(a, e);
            const double got[5] = {c.c0, c.c1, c.c2, c.c3, c.c4};
            for (int k = 0; k < 5; ++k)
                EXPECT_NEAR(got[k], want[std::size_t((a * 17 + e) * 5 + k)], 1e-9) << a << " " << e << " c" << k;
        }
}

// θ = 90° (a = 8), φ = 90° (e = 8): the viewer on the y axis sees u to the right and z upwards.
TEST(Projection3D, HandComputedSideView)
{
    const Projection3D::Coefficients& c = Projection3D::coefficients(8, 8);
    EXPECT_NEAR(c.c0, 333.33325 / std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(c.c1, 0, 1e-9);
    EXPECT_NEAR(c.c2, 0, 1e-9);
    EXPECT_NEAR(c.c3, 0, 1e-9);
    EXPECT_NEAR(c.c4, 300 / std::sqrt(3.0), 1e-9);

    const Projection3D p(8, 8);
    // k0 = 0.42767, k4 = 0.38490: X = 400 + 0.42767 × 500, Y = 270 - 0.38490 × 500.
    EXPECT_EQ(p.at(500, 123, 0), (ScreenPoint{613, 270}));
    EXPECT_EQ(p.at(0, 0, 500), (ScreenPoint{400, 77}));
    EXPECT_EQ(p.at(-500, 0, -500), (ScreenPoint{186, 462}));
}

TEST(Projection3D, CellsSpanTheBoxOfTheLevel)
{
    ViewLevel level = ViewLevel::spanning(10, 20, 100, 150);
    level.zMin = -2;
    level.zMax = 8;
    const Projection3D p(8, 8);
    // Row 10 at u = -500, row 20 at u = 500, bin 125 at v = 0; the Z range maps to -490 ... 510.
    EXPECT_EQ(p.ofCell(level, 10, 125, -2), p.at(-500, 0, -490));
    EXPECT_EQ(p.ofCell(level, 20, 100, 8), p.at(500, -500, 510));
    EXPECT_EQ(p.ofCell(level, 15, 150, 3), p.at(0, 500, 10));
}

TEST(Projection3D, DegenerateLevelsStayFinite)
{
    ViewLevel level = ViewLevel::spanning(0, 0, 0, 0);
    level.zMin = level.zMax = 5;
    const Projection3D p(3, 4);
    EXPECT_EQ(p.ofCell(level, 0, 0, 5), p.at(-500, -500, -490));
    EXPECT_EQ(p.ofCell(level, 0, 0, NAN), p.at(-500, -500, -490));
}

TEST(DrawingOrder, SwitchesAtTheQuadrantEdges)
{
    EXPECT_TRUE(DrawingOrder::of(17).binsForward);
    EXPECT_FALSE(DrawingOrder::of(18).binsForward);
    EXPECT_TRUE(DrawingOrder::of(8).rowsForward);
    EXPECT_FALSE(DrawingOrder::of(9).rowsForward);
    EXPECT_FALSE(DrawingOrder::of(26).rowsForward);
    EXPECT_TRUE(DrawingOrder::of(27).rowsForward);
    EXPECT_TRUE(DrawingOrder::of(0).rowsForward && DrawingOrder::of(0).binsForward);
    EXPECT_TRUE(DrawingOrder::of(35).rowsForward);
    EXPECT_FALSE(DrawingOrder::of(35).binsForward);
}

// Far cells first: whichever the azimuth, the first row drawn lies farther from the viewer than the
// last, measured along the viewing direction (a larger screen Y at z = 0 lies nearer).
TEST(DrawingOrder, FarRowsAndBinsComeFirstAtEveryAzimuth)
{
    for (int a = 0; a < 36; ++a) {
        // Azimuths that look straight along an axis draw both ways alike.
        if (a == 8 || a == 17 || a == 26 || a == 35)
            continue;
        const Projection3D p(a, 3);
        const DrawingOrder order = DrawingOrder::of(a);
        const int rowFirst = p.at(-500 * order.rowStep(), 0, 0).y;
        const int rowLast = p.at(500 * order.rowStep(), 0, 0).y;
        EXPECT_LE(rowFirst, rowLast) << a;
        const int binFirst = p.at(0, -500 * order.binStep(), 0).y;
        const int binLast = p.at(0, 500 * order.binStep(), 0).y;
        EXPECT_LE(binFirst, binLast) << a;
    }
}

TEST(Projection3D, SpectrogramFormSavedViewMapsToAValidMeshView)
{
    EXPECT_EQ(Projection3D::meshView(-1, -1), std::make_pair(15, 3));
    EXPECT_EQ(Projection3D::meshView(5, 0), std::make_pair(15, 3));
    EXPECT_EQ(Projection3D::meshView(35, 16), std::make_pair(35, 16));
    EXPECT_EQ(Projection3D::meshView(0, 1), std::make_pair(0, 1));
}
