#include <gtest/gtest.h>

#include "signal/SignalKind.h"
#include "signal/TrackSignal.h"

TEST(TrackSignal, StartsFlatAndStopsWhenFull)
{
    TrackSignal track(nullptr, 100, 3.5f);
    EXPECT_EQ(track.kind(), SignalKind::Track);
    EXPECT_EQ(track.count(), 100u);
    EXPECT_EQ(track.sampleRate(), 1.0L);
    EXPECT_EQ(track.samples()[0], 3.5f);
    EXPECT_EQ(track.samples()[99], 3.5f);
    EXPECT_EQ(track.yMax(), 4.5f) << "a flat line spreads its range";
    EXPECT_EQ(track.writePosition(), 1u);

    for (int i = 1; i <= 99; ++i)
        ASSERT_TRUE(track.append(float(i))) << i;
    EXPECT_TRUE(track.full());
    EXPECT_EQ(track.samples()[99], 99.0f);
    EXPECT_FALSE(track.append(-7.0f)) << "the 100th append after creation changes nothing";
    EXPECT_EQ(track.yMin(), 1.0f);

    track.reset(-2.0f);
    EXPECT_EQ(track.writePosition(), 1u);
    EXPECT_EQ(track.samples()[50], -2.0f);
    EXPECT_EQ(track.yMin(), -3.0f);
}

TEST(TrackSignal, AppendShowsTheWholeLogAgain)
{
    TrackSignal track(nullptr, 50, 0.0f);
    ASSERT_TRUE(track.zoomIn(10, 30));
    track.append(1.0f);
    EXPECT_EQ(track.zoomLevel(), 0u);
    EXPECT_EQ(track.visibleCount(), 50u);
    EXPECT_EQ(TrackSignal(nullptr, 0, 1.0f).count(), 1u) << "a log holds at least one value";
}
