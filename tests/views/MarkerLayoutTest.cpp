#include <gtest/gtest.h>

#include "views/MarkerLayout.h"

namespace {
// Ten units per character, 30 units high.
TextExtent measure(const std::string& text)
{
    return {int(text.size()) * 10, 30};
}
}  // namespace

TEST(MarkerLayout, NearTheTopTheLabelsGoBelowThePoint)
{
    // Labels "0.5" and "A": box width 30 + 5, line height 33; y = 10 < 33 * 3, so downward, o = 33.
    Marker marker;
    marker.value = 0.5f;
    marker.showValue = true;
    marker.name = "A";
    const MarkerLayout layout = MarkerLayout::of(marker, 200, 10, 0, 1000, measure);
    EXPECT_EQ(layout.stemFromY, 43);
    EXPECT_EQ(layout.stemToY, 26);
    EXPECT_EQ(layout.headY, 26);
    ASSERT_EQ(layout.boxes.size(), 2u);
    EXPECT_EQ(layout.boxes[0].label, "0.5");
    EXPECT_EQ(layout.boxes[0].left, 183);
    EXPECT_EQ(layout.boxes[0].right, 218);
    EXPECT_EQ(layout.boxes[0].top, 43);
    EXPECT_EQ(layout.boxes[0].bottom, 76);
    EXPECT_EQ(layout.boxes[1].label, "A");
    EXPECT_EQ(layout.boxes[1].top, 76);
    EXPECT_EQ(layout.boxes[1].bottom, 109);
}

TEST(MarkerLayout, LowerDownTheLabelsStackUpward)
{
    // The position label: first visible X 2 + 250 / 1000 = 2.25; one label, y = 500: o = -33.
    Marker marker;
    marker.position = 250;
    marker.showPosition = true;
    const MarkerLayout layout = MarkerLayout::of(marker, 100, 500, 2, 1000, measure);
    EXPECT_EQ(layout.stemFromY, 467);
    EXPECT_EQ(layout.stemToY, 484);
    ASSERT_EQ(layout.boxes.size(), 1u);
    EXPECT_EQ(layout.boxes[0].label, "2.25");
    EXPECT_EQ(layout.boxes[0].top, 434);
    EXPECT_EQ(layout.boxes[0].bottom, 467);
    EXPECT_EQ(layout.boxes[0].left, 78);  // width 45: 100 - 22
}
