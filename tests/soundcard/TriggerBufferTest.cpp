#include <gtest/gtest.h>

#include <vector>

#include "soundcard/Decimation.h"
#include "soundcard/TriggerBuffer.h"

namespace {
// Mono frames numbered from `first`, quiet (0) except where `loud` says.
std::vector<int16_t> ramp(int16_t first, uint32_t n)
{
    std::vector<int16_t> v(n);
    for (uint32_t i = 0; i < n; ++i)
        v[i] = int16_t(first + int(i));
    return v;
}

std::vector<int16_t> outputOf(const TriggerBuffer& t, uint32_t frames, uint32_t channels = 1)
{
    return {t.output(), t.output() + frames * channels};
}
}  // namespace

TEST(Decimation, MeansRoundedHalvesUpward)
{
    std::vector<int16_t> all(10 * 8, 100);
    decimateInPlace(all.data(), 8, 10, 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(all[std::size_t(i)], 100);
    // Two channels, ratio 2: (1 + 2) / 2 = 1.5 → 2; (−1 − 2) / 2 = −1.5 → −1; full-scale values stay.
    std::vector<int16_t> stereo{1, -1, 2, -2, 32767, -32768, 32767, -32768};
    decimateInPlace(stereo.data(), 2, 2, 2);
    EXPECT_EQ(stereo[0], 2);
    EXPECT_EQ(stereo[1], -1);
    EXPECT_EQ(stereo[2], 32767);
    EXPECT_EQ(stereo[3], -32768);
    // Ratio 1 leaves the block alone.
    std::vector<int16_t> same{5, 6, 7};
    decimateInPlace(same.data(), 3, 1, 1);
    EXPECT_EQ(same, (std::vector<int16_t>{5, 6, 7}));
}

// At 50 % a block at or below 16384 stores nothing; the first frame above it starts the window,
// and with a skip of 5 the window starts five frames later; later windows follow without a gap.
TEST(TriggerBuffer, FiresAboveTheLevelAndContinuesSeamlessly)
{
    TriggerBuffer quiet(50, 8, 1, 1, 0);
    std::vector<int16_t> low(8, 16384);
    low[3] = -16384;
    quiet.feed(low.data(), 8);
    EXPECT_FALSE(quiet.triggered());
    EXPECT_EQ(quiet.outputCount(), 0u);

    for (uint32_t skip : {0u, 5u}) {
        TriggerBuffer t(50, 8, 1, 1, skip);
        std::vector<int16_t> block = ramp(0, 8);
        block[2] = 16385;
        t.feed(block.data(), 8);
        ASSERT_TRUE(t.triggered());
        EXPECT_EQ(t.outputCount(), 8u - 2 - skip);
        EXPECT_EQ(t.output()[0], skip == 0 ? 16385 : 7);
        const std::vector<int16_t> next = ramp(8, 8);
        t.feed(next.data(), 8);
        ASSERT_TRUE(t.complete());
        // The window runs on from where the first block stopped.
        const std::vector<int16_t> window = outputOf(t, 8);
        EXPECT_EQ(window.back(), int16_t(8 + (2 + skip) - 1));
        t.emptyOutput();
        const std::vector<int16_t> third = ramp(16, 8);
        t.feed(third.data(), 8);
        ASSERT_TRUE(t.complete());
        // Seamless: the carried frames come first.
        EXPECT_EQ(t.output()[0], int16_t(8 + 2 + skip));
        EXPECT_EQ(t.output()[7], int16_t(8 + 2 + skip + 7));
    }
}

// A skip longer than a block carries into the next blocks instead of counting below zero.
TEST(TriggerBuffer, SkipBeyondTheBlockCarriesOn)
{
    TriggerBuffer t(10, 4, 1, 1, 10);
    std::vector<int16_t> first{0, 0, 20000, 1};
    t.feed(first.data(), 4);
    EXPECT_TRUE(t.triggered());
    EXPECT_EQ(t.outputCount(), 0u);
    const std::vector<int16_t> second = ramp(100, 4);
    t.feed(second.data(), 4);
    EXPECT_EQ(t.outputCount(), 0u);
    const std::vector<int16_t> third = ramp(200, 4);
    t.feed(third.data(), 4);
    EXPECT_EQ(t.outputCount(), 0u);
    // Ten frames from the trigger frame on: 2 of the first block, all of the second and third.
    const std::vector<int16_t> fourth = ramp(300, 4);
    t.feed(fourth.data(), 4);
    EXPECT_TRUE(t.complete());
    EXPECT_EQ(t.output()[0], 300);
}

// Re-armed, every window waits for its own crossing and begins at it.
TEST(TriggerBuffer, RearmedWindowsBeginAtTheirCrossings)
{
    TriggerBuffer t(50, 4, 1, 1, 0);
    std::vector<int16_t> a{0, 30000, 1, 2};
    t.feed(a.data(), 4);
    std::vector<int16_t> b{3, 4, 5, 6};
    t.feed(b.data(), 4);
    ASSERT_TRUE(t.complete());
    EXPECT_EQ(outputOf(t, 4), (std::vector<int16_t>{30000, 1, 2, 3}));
    t.rearm();
    t.emptyOutput();
    std::vector<int16_t> quiet{7, 8, 9, 10};
    t.feed(quiet.data(), 4);
    EXPECT_EQ(t.outputCount(), 0u);
    std::vector<int16_t> c{11, 12, -30000, 13};
    t.feed(c.data(), 4);
    std::vector<int16_t> d{14, 15, 16, 17};
    t.feed(d.data(), 4);
    ASSERT_TRUE(t.complete());
    EXPECT_EQ(outputOf(t, 4), (std::vector<int16_t>{-30000, 13, 14, 15}));
}

// In stereo the trigger watches its own channel and moves whole frames.
TEST(TriggerBuffer, StereoWatchesTheTriggerChannel)
{
    TriggerBuffer t(50, 3, 2, 2, 0);
    std::vector<int16_t> block{30000, 0, 1, 20000, 2, 3};
    t.feed(block.data(), 3);
    ASSERT_TRUE(t.triggered());
    EXPECT_EQ(t.outputCount(), 2u);
    EXPECT_EQ(outputOf(t, 2, 2), (std::vector<int16_t>{1, 20000, 2, 3}));
}
