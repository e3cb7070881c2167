#include <gtest/gtest.h>

#include <cmath>
#include <new>
#include <numeric>
#include <vector>

#include "base/MachineMemory.h"
#include "dsp/Statistics.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "signal/SignalOwner.h"

namespace {
std::unique_ptr<Signal> ramp(uint32_t n, long double rate = 1000)
{
    std::vector<float> v(n);
    std::iota(v.begin(), v.end(), 0.0f);
    return std::make_unique<Signal>(nullptr, SignalKind::FileSignal, v.data(), n, rate);
}

struct FakeOwner : SignalOwner {
    bool fixed = false;
    const Signal* current = nullptr;
    int mode = 1;
    int completions = 0;
    bool fixedMinMax() const override { return fixed; }
    const Signal* currentSignal() const override { return current; }
    int channelMode() const override { return mode; }
    void recordingComplete() override { ++completions; }
};
}  // namespace

TEST(Signal, ConstantSignalSpreadsItsYRange)
{
    const std::vector<float> threes(50, 3.0f);
    Signal s(nullptr, SignalKind::FileSignal, threes.data(), 50, 100);
    EXPECT_EQ(s.yMax(), 4.0f);
    EXPECT_EQ(s.yMin(), 2.0f);
}

TEST(Signal, YRangeScanSkipsNaNAndCoversAllSamplesNotOnlyVisible)
{
    std::vector<float> v{1, NAN, -7, 2, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Signal s(nullptr, SignalKind::FileSignal, v.data(), uint32_t(v.size()), 10);
    EXPECT_EQ(s.yMax(), 9.0f);
    EXPECT_EQ(s.yMin(), -7.0f);
    ASSERT_TRUE(s.zoomIn(5, 15));
    s.updateYRange();
    EXPECT_EQ(s.yMax(), 9.0f);
}

TEST(Signal, ZoomInRules)
{
    auto s = ramp(1000);
    EXPECT_FALSE(s->zoomIn(100, 109)) << "a range of b - a = 9 is too short";
    EXPECT_TRUE(s->zoomIn(100, 110));
    EXPECT_EQ(s->visibleCount(), 11u);
    EXPECT_EQ(s->visibleSamples()[0], 100.0f);
    EXPECT_FALSE(s->zoomIn(50, 200)) << "contains the current range";
    EXPECT_FALSE(s->zoomIn(990, 1000)) << "past the last sample";

    auto deep = ramp(100000);
    for (uint32_t level = 1; level <= 20; ++level)
        ASSERT_TRUE(deep->zoomIn(level, 50000 - level)) << level;
    EXPECT_FALSE(deep->zoomIn(30, 100)) << "the 21st zoom-in is refused";
    EXPECT_EQ(deep->zoomLevel(), 20u);
}

TEST(Signal, NewZoomDiscardsForwardEntries)
{
    auto s = ramp(1000);
    ASSERT_TRUE(s->zoomIn(0, 499));
    ASSERT_TRUE(s->zoomIn(100, 199));
    ASSERT_TRUE(s->zoomBack());
    EXPECT_TRUE(s->zoomForward());
    EXPECT_EQ(s->firstVisible(), 100u);
    ASSERT_TRUE(s->zoomBack());
    ASSERT_TRUE(s->zoomIn(300, 350));
    EXPECT_EQ(s->zoomDepth(), 2u);
    EXPECT_FALSE(s->zoomForward());
    ASSERT_TRUE(s->zoomBack());
    ASSERT_TRUE(s->zoomForward());
    EXPECT_EQ(s->firstVisible(), 300u);
    EXPECT_FALSE(ramp(10)->zoomBack());
}

TEST(Signal, ScrollStopsAtTheEnds)
{
    auto s = ramp(1000);
    EXPECT_FALSE(s->scrollRight(1)) << "level 0 spans everything";
    ASSERT_TRUE(s->zoomIn(10, 109));
    EXPECT_FALSE(s->scrollLeft(11));
    EXPECT_TRUE(s->scrollLeft(10));
    EXPECT_EQ(s->firstVisible(), 0u);
    EXPECT_TRUE(s->scrollRight(900));
    EXPECT_EQ(s->lastVisible(), 999u);
    EXPECT_FALSE(s->scrollRight(1));
}

TEST(Signal, XOfSamplesAndIndexOfX)
{
    auto s = ramp(5000, 1000);
    s->setXOffset(0.25L);
    ASSERT_TRUE(s->zoomIn(1000, 1999));
    EXPECT_EQ(s->firstVisibleX(), 1.25L);
    EXPECT_EQ(s->lastVisibleX(), 1.999L + 0.25L);
    EXPECT_EQ(s->indexOfX(1.25L), 1000);
    EXPECT_EQ(s->indexOfX(1.2504L), 1000);
    EXPECT_EQ(s->indexOfX(1.2505L), 1001);
    EXPECT_EQ(s->indexOfX(0.0L), -250) << "no clamping";
}

TEST(Signal, CutMovesTailAndResetsHistory)
{
    auto s = ramp(100);
    ASSERT_TRUE(s->zoomIn(10, 59));
    ASSERT_TRUE(s->zoomIn(20, 49));
    EXPECT_FALSE(s->cut(20, 45)) << "fewer than 5 visible samples would remain";
    EXPECT_FALSE(s->cut(0, 99)) << "longer than the visible range";
    ASSERT_TRUE(s->cut(30, 39));
    EXPECT_EQ(s->count(), 90u);
    EXPECT_EQ(s->samples()[29], 29.0f);
    EXPECT_EQ(s->samples()[30], 40.0f);
    EXPECT_EQ(s->samples()[89], 99.0f);
    EXPECT_EQ(s->zoomLevel(), 1u);
    EXPECT_EQ(s->zoomDepth(), 1u);
    EXPECT_EQ(s->firstVisible(), 20u);
    EXPECT_EQ(s->lastVisible(), 39u);
    EXPECT_EQ(s->zoomEnd(0), 89u);
    EXPECT_EQ(s->yMax(), 99.0f);
}

TEST(Signal, PasteAndFill)
{
    auto s = ramp(20);
    const float block[3] = {-5, -6, -7};
    EXPECT_FALSE(s->paste(18, block)) << "does not fit";
    ASSERT_TRUE(s->paste(17, block));
    EXPECT_EQ(s->samples()[19], -7.0f);
    EXPECT_EQ(s->yMin(), -7.0f);
    s->fill(0, 19, 2.0f);
    EXPECT_EQ(s->yMax(), 3.0f);
    EXPECT_EQ(s->yMin(), 1.0f);
}

// The summary block that held the cut samples must forget them, also when nothing moved after them.
TEST(Signal, CutThatReachesTheEndRefreshesTheRange)
{
    for (const uint32_t n : {1000u, 70000u}) {
        std::vector<float> v(n, 0.0f);
        v[n - 5] = 500;
        Signal s(nullptr, SignalKind::FileSignal, v.data(), n, 1000);
        ASSERT_EQ(s.yMax(), 500.0f);
        ASSERT_TRUE(s.cut(n - 10, n - 1));
        EXPECT_EQ(s.count(), n - 10);
        EXPECT_EQ(s.yMax(), 1.0f) << n << ": a constant 0 is shown as -1 ... 1";
        EXPECT_EQ(s.extremes(0, s.count()).max, 0.0f) << n;
    }
}

TEST(Signal, FillPastTheEndWritesNothing)
{
    auto s = ramp(20);
    s->fill(20, 30, 99.0f);
    s->fill(25, 25, 99.0f);
    s->fill(uint32_t(-1), uint32_t(-1), 99.0f);
    EXPECT_EQ(s->yMax(), 19.0f);
    s->fill(18, 1000, -3.0f);
    EXPECT_EQ(s->samples()[17], 17.0f);
    EXPECT_EQ(s->samples()[19], -3.0f);
    EXPECT_EQ(s->yMin(), -3.0f);
}

TEST(Signal, FixedRangeKeepsTheOldRangeForAReplacement)
{
    FakeOwner owner;
    const std::vector<float> small{0, 1, 2, 3};
    Signal current(&owner, SignalKind::FileSignal, small.data(), 4, 10);
    owner.current = &current;
    owner.fixed = true;
    const std::vector<float> big{-1000, 5000, 0, 0};
    Signal replacement(&owner, SignalKind::FileSignal, big.data(), 4, 10);
    EXPECT_EQ(replacement.yMax(), 3.0f);
    EXPECT_EQ(replacement.yMin(), 0.0f);
    owner.fixed = false;
    replacement.updateYRange();
    EXPECT_EQ(replacement.yMax(), 5000.0f);
}

TEST(Signal, EmptyResultHasRateZero)
{
    Signal empty(nullptr, SignalKind::ExtractedPart);
    EXPECT_EQ(empty.sampleRate(), 0.0L);
    EXPECT_EQ(empty.count(), 0u);
    EXPECT_EQ(empty.visibleCount(), 0u);
}

TEST(Signal, AcquisitionPagesRingAndComplete)
{
    FakeOwner owner;
    auto s = Signal::acquisitionBuffer(&owner, 4, 3, 8000);
    EXPECT_EQ(s->count(), 12u);
    EXPECT_EQ(s->zoomLevel(), 1u);
    EXPECT_EQ(s->lastVisible(), 3u);
    const int16_t stereo[8] = {1, 100, 2, 200, 3, 300, 4, 400};
    s->appendPage(stereo, 1, 2, 0.5, 1.0);
    // Three values from the second channel: 100, 200, 300 scaled by 0.5 and shifted by 1.
    EXPECT_EQ(s->samples()[0], 51.0f);
    EXPECT_EQ(s->samples()[2], 151.0f);
    EXPECT_EQ(s->samples()[3], 0.0f);
    EXPECT_EQ(s->pageIndex(), 1);
    EXPECT_EQ(s->yMax(), 151.0f);
    const int16_t mono[4] = {7, 7, 7, 7};
    s->appendPage(mono, 0, 1, 1.0, 0.0);
    EXPECT_EQ(s->firstVisible(), 4u);
    s->appendPage(mono, 0, 1, 1.0, 0.0);
    EXPECT_EQ(s->firstVisible(), 8u);
    EXPECT_EQ(owner.completions, 1);
    EXPECT_EQ(s->pageIndex(), 2) << "a full buffer stays on its last page";

    owner.mode = 2;
    auto pair = Signal::acquisitionBuffer(&owner, 4, 1, 8000);
    pair->appendPage(mono, 0, 1, 1.0, 0.0);
    EXPECT_EQ(pair->pageIndex(), 0) << "one page is a ring";
    EXPECT_EQ(owner.completions, 1);
}

TEST(Statistics, MeanAndPopulationDeviation)
{
    const std::vector<float> v{2, 4, 4, 4, 5, 5, 7, 9};
    EXPECT_EQ(mean(v.data(), v.size()), 5.0L);
    EXPECT_DOUBLE_EQ(standardDeviation(v.data(), v.size()), 2.0);
    // Extended accumulation keeps small values that a float sum of large ones would drop.
    std::vector<float> mixed(1001, 1.0f);
    mixed[0] = 1e8f;
    EXPECT_NEAR(double(mean(mixed.data(), mixed.size())), (1e8 + 1000) / 1001, 1e-6);
}

TEST(Signal, NaNNeverBecomesAnExtreme)
{
    std::vector<float> v(100, 0.5f);
    v[0] = NAN;
    v[37] = -2;
    v[50] = NAN;
    v[99] = 8;
    Signal s(nullptr, SignalKind::FileSignal, v.data(), 100, 10);
    EXPECT_EQ(s.yMax(), 8.0f);
    EXPECT_EQ(s.yMin(), -2.0f);
}

// A block the machine cannot hold is refused at once, as a failed allocation, before the system grants
// it and ends the program while it is filled; the largest it can hold is asked for as usual.
TEST(Signal, ABlockBeyondTheMachinesMemoryIsAFailedAllocation)
{
    const std::size_t most = std::size_t(machineMemoryBytes() / sizeof(float));
    EXPECT_THROW(Signal::allocateSamples(most + 1), std::bad_alloc);
    EXPECT_NE(Signal::allocateSamples(1000), nullptr);
}
