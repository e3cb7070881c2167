#include <gtest/gtest.h>

#include <vector>

#include "views/PaneFit.h"

// A 200 × 100 pane, centre (100, 50): a point shrunk by s lies at 100 + s (x - 100).
TEST(PaneFit, ShrinksJustEnoughForTheBoxThatStandsOutMost)
{
    // Inside already: no shrinking, however close to the edge.
    EXPECT_EQ(PaneFit::scale({{180, 10, 0, 0, 20, 10}}, 200, 100), 1.0);
    EXPECT_EQ(PaneFit::scale({}, 200, 100), 1.0);
    // A text 20 wide right of x = 190: 100 + 90 s + 20 ≤ 200, s = 8/9.
    EXPECT_DOUBLE_EQ(PaneFit::scale({{190, 50, 0, 0, 20, 10}}, 200, 100), 80.0 / 90);
    // A text right-aligned 15 wide at x = 5: 100 - 95 s - 15 ≥ 0, s = 85/95.
    EXPECT_DOUBLE_EQ(PaneFit::scale({{5, 50, -15, 0, 0, 10}}, 200, 100), 85.0 / 95);
    // Below: a line 12 high at y = 95: 50 + 45 s + 12 ≤ 100, s = 38/45; the smallest of all wins.
    const std::vector<AnchoredBox> boxes{{190, 50, 0, 0, 20, 10}, {100, 95, 0, 0, 5, 12}, {5, 50, -15, 0, 0, 10}};
    EXPECT_DOUBLE_EQ(PaneFit::scale(boxes, 200, 100), 38.0 / 45);
    // Above, an upward text 40 long ending at y = 20: 50 - 30 s - 40 ≥ 0, s = 1/3.
    EXPECT_DOUBLE_EQ(PaneFit::scale({{100, 20, -8, -40, 4, 0}}, 200, 100), 10.0 / 30);
}

// A text wider than half the pane can never fit beside a point right of the centre: the floor, never 0 or
// a negative factor.
TEST(PaneFit, AnUnfittableBoxGivesTheSmallestFactor)
{
    EXPECT_EQ(PaneFit::scale({{150, 50, 0, 0, 120, 10}}, 200, 100), 0.1);
    EXPECT_EQ(PaneFit::scale({{150, 50, 0, 0, 120, 10}}, 200, 100, 0.25), 0.25);
}
