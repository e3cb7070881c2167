#include <gtest/gtest.h>

#include "views/PlotSpace.h"

TEST(PlotSpace, WithoutAxesThePlotFillsTheArea)
{
    const PlotSpace space = PlotSpace::of(800, 400, false);
    EXPECT_EQ(space.windowWidth, 800);
    EXPECT_EQ(space.windowHeight, 1000);
    EXPECT_EQ(space.viewportX, 0);
    EXPECT_EQ(space.viewportY, 0);
    EXPECT_EQ(space.viewportWidth, 800);
    EXPECT_EQ(space.viewportHeight, 400);
}

TEST(PlotSpace, WithAxesTheWindowGrowsByATenthAndStartsATenthIn)
{
    const PlotSpace space = PlotSpace::of(800, 400, true);
    EXPECT_EQ(space.windowWidth, 880);
    EXPECT_EQ(space.windowHeight, 1100);
    EXPECT_EQ(space.viewportX, 80);
    EXPECT_EQ(space.viewportY, 0);
    EXPECT_EQ(space.viewportWidth, 800);
    EXPECT_EQ(space.viewportHeight, 400);
}
