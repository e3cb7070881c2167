#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "signal/AveragerSignal.h"
#include "signal/CEPSSignal.h"
#include "signal/DEOODDOSignal.h"
#include "signal/DEOSignal.h"
#include "signal/DeTrendedSignal.h"
#include "signal/FILTSignal.h"
#include "signal/PeakHoldSignal.h"
#include "signal/RemovePeaksSignal.h"
#include "signal/SignalKind.h"
#include "signal/SmoothSignal.h"

namespace {
Signal parentOf(std::vector<float> values, long double rate = 1000, long double xOffset = 0)
{
    return Signal(nullptr, SignalKind::FileSignal, values.data(), uint32_t(values.size()), rate, xOffset);
}

std::vector<float> ramp(std::size_t n)
{
    std::vector<float> v(n);
    std::iota(v.begin(), v.end(), 0.0f);
    return v;
}

std::vector<float> valuesOf(const Signal& s)
{
    return {s.samples(), s.samples() + s.count()};
}
}  // namespace

TEST(DeTrendedSignal, AStraightLineBecomesZero)
{
    const Signal parent = parentOf({1, 2, 3, 4});
    const auto s = DeTrendedSignal::create(nullptr, parent);
    ASSERT_EQ(s->kind(), SignalKind::Detrended);
    ASSERT_EQ(s->count(), 4u);
    for (float v : valuesOf(*s))
        EXPECT_NEAR(v, 0.0f, 1e-6f);
}

// Mean 2.5, σ = √18.75 ≈ 4.33, and |10 − 2.5| = 7.5 lies beyond it.
TEST(RemovePeaksSignal, ReplacesTheOutlierByTheMean)
{
    const Signal parent = parentOf({0, 0, 0, 10});
    const auto s = RemovePeaksSignal::create(nullptr, parent, 1.0f);
    EXPECT_EQ(valuesOf(*s), (std::vector<float>{0, 0, 0, 2.5f}));
    EXPECT_EQ(static_cast<const RemovePeaksSignal&>(*s).coefficient, 1.0f);
}

TEST(AveragerSignal, TwoThenFourShowsThreeAndAChangedCountIsIgnored)
{
    Signal parent = parentOf({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    auto created = AveragerSignal::create(nullptr, parent);
    auto& averager = static_cast<AveragerSignal&>(*created);
    parent.fill(0, 11, 4);
    ASSERT_TRUE(averager.update(parent));
    EXPECT_EQ(valuesOf(averager), std::vector<float>(12, 3.0f));
    EXPECT_EQ(averager.averaged(), 2u);

    ASSERT_TRUE(parent.zoomIn(0, 10));
    EXPECT_FALSE(averager.update(parent));
    EXPECT_EQ(valuesOf(averager), std::vector<float>(12, 3.0f));
    ASSERT_TRUE(parent.zoomBack());

    // After a reset the next version replaces the mean.
    averager.reset();
    parent.fill(0, 11, 7);
    ASSERT_TRUE(averager.update(parent));
    EXPECT_EQ(valuesOf(averager), std::vector<float>(12, 7.0f));
}

TEST(PeakHoldSignal, KeepsTheLargestValuesUntilReset)
{
    Signal parent = parentOf({1, 5, 1, 5, 1, 5, 1, 5});
    auto created = PeakHoldSignal::create(nullptr, parent);
    auto& hold = static_cast<PeakHoldSignal&>(*created);
    const float second[] = {3, 3, 3, 3, 3, 3, 3, 3};
    ASSERT_TRUE(parent.paste(0, second));
    ASSERT_TRUE(hold.update(parent));
    EXPECT_EQ(valuesOf(hold), (std::vector<float>{3, 5, 3, 5, 3, 5, 3, 5}));
    hold.reset(parent);
    EXPECT_EQ(valuesOf(hold), std::vector<float>(8, 3.0f));
}

// A rectangle of 3 on 3, 0, 0, 0, 0, 0: the first output reads the mirrored 3 before the start.
TEST(SmoothSignal, ConvolvesWithMirroredEdgesInPlace)
{
    Signal parent = parentOf({3, 0, 0, 0, 0, 0}, 100, 0.5);
    auto created = SmoothSignal::create(nullptr, parent, 3, 3);
    auto& smoothed = static_cast<SmoothSignal&>(*created);
    const std::vector<float> got = valuesOf(smoothed);
    const std::vector<float> want{2, 1, 0, 0, 0, 0};
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-6f) << i;
    EXPECT_EQ(smoothed.sampleRate(), 100);
    EXPECT_EQ(smoothed.xOffset(), 0.5L);

    const float* block = smoothed.samples();
    const float next[] = {0, 0, 0, 0, 0, 3};
    ASSERT_TRUE(parent.paste(0, next));
    ASSERT_TRUE(smoothed.update(parent));
    EXPECT_EQ(smoothed.samples(), block) << "the same count keeps the block";
    EXPECT_NEAR(smoothed.samples()[5], 2.0f, 1e-6f);
}

TEST(SmoothSignal, ReallocatesOnlyForANewVisibleCountAndCopiesWhenTheKernelIsLonger)
{
    Signal parent = parentOf(ramp(40));
    auto created = SmoothSignal::create(nullptr, parent, 0, 15);
    auto& smoothed = static_cast<SmoothSignal&>(*created);
    ASSERT_EQ(smoothed.count(), 40u);
    ASSERT_TRUE(parent.zoomIn(5, 18));
    ASSERT_TRUE(smoothed.update(parent));
    ASSERT_EQ(smoothed.count(), 14u);
    // The kernel of 15 is longer than the 14 samples: an unchanged copy.
    for (uint32_t i = 0; i < 14; ++i)
        EXPECT_EQ(smoothed.samples()[i], float(5 + i));
    EXPECT_NEAR(double(smoothed.xOffset()), 0.005, 1e-12);
}

TEST(FILTSignal, ThousandSamplesComeBackAsThousandOnTheParentsRange)
{
    std::vector<float> v(1000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = float(i % 10) - 100;
    const Signal parent = parentOf(v, 8000, 2);
    const auto s = FILTSignal::create(nullptr, parent, 0, 1000, 2);
    ASSERT_EQ(s->count(), 1000u);
    EXPECT_EQ(s->sampleRate(), 8000);
    EXPECT_EQ(s->xOffset(), 2);
    EXPECT_EQ(s->yMax(), parent.yMax());
    EXPECT_EQ(s->yMin(), parent.yMin());
    const auto& filtered = static_cast<const FILTSignal&>(*s);
    EXPECT_EQ(filtered.fromFreq, 0);
    EXPECT_EQ(filtered.toFreq, 1000);
    EXPECT_EQ(filtered.filterType, 2);
    EXPECT_EQ(FILTSignal::create(nullptr, parentOf({1, 2, 3, 4}), 0, 10, 2)->sampleRate(), 0);
}

TEST(CEPSSignal, ThousandSamplesGive512OnTheParentsGrid)
{
    Signal parent = parentOf(ramp(2000), 500, 3);
    ASSERT_TRUE(parent.zoomIn(100, 1099));
    const auto s = CEPSSignal::create(nullptr, parent);
    EXPECT_EQ(s->count(), 512u);
    EXPECT_EQ(s->sampleRate(), 500);
    EXPECT_EQ(s->xOffset(), 3) << "the parent's X offset, not its first visible X";
}

TEST(DEOSignal, SelectionsShorterThanNineAreEmpty)
{
    Signal parent = parentOf(ramp(200), 1000, 1);
    ASSERT_TRUE(parent.zoomIn(100, 199));
    EXPECT_EQ(DEOSignal::fromSelection(nullptr, parent, 17, 10)->sampleRate(), 0) << "8 samples";
    const auto s = DEOSignal::fromSelection(nullptr, parent, 18, 10);
    ASSERT_EQ(s->count(), 9u);
    EXPECT_EQ(s->samples()[0], 110.0f);
    EXPECT_NEAR(double(s->xOffset()), 1.11, 1e-12);
    const auto& part = static_cast<const DEOSignal&>(*s);
    EXPECT_NEAR(double(part.startFraction), 0.10, 1e-15);
    EXPECT_NEAR(double(part.lengthFraction), 0.09, 1e-15);
}

TEST(DEOSignal, StoredFractionsNeedEightFromAFileAndTenOnARecompute)
{
    const Signal parent = parentOf(ramp(100));
    EXPECT_EQ(DEOSignal::fromFractions(nullptr, parent, 0.5L, 0.08L, DEOSignal::MinimumFromFile)->count(), 8u);
    EXPECT_EQ(DEOSignal::fromFractions(nullptr, parent, 0.5L, 0.07L, DEOSignal::MinimumFromFile)->sampleRate(), 0);
    EXPECT_EQ(DEOSignal::fromFractions(nullptr, parent, 0.5L, 0.09L, DEOSignal::MinimumOnRecompute)->sampleRate(), 0);
    const auto s = DEOSignal::fromFractions(nullptr, parent, 0.5L, 0.10L, DEOSignal::MinimumOnRecompute);
    ASSERT_EQ(s->count(), 10u);
    EXPECT_EQ(s->samples()[0], 50.0f);
    // A part reaching past the visible range ends with it.
    const auto end = DEOSignal::fromFractions(nullptr, parent, 0.95L, 0.5L, DEOSignal::MinimumFromFile);
    EXPECT_EQ(end->sampleRate(), 0) << "5 samples are left";
    EXPECT_EQ(DEOSignal::fromFractions(nullptr, parent, 0.8L, 0.5L, DEOSignal::MinimumFromFile)->count(), 20u);
}

TEST(DEOODDOSignal, FourSamplesAreEmptyAndIndicesAreAbsolute)
{
    Signal parent = parentOf(ramp(3000), 1000, 0);
    EXPECT_EQ(DEOODDOSignal::create(nullptr, parent, 1.0L, 1.0035L)->sampleRate(), 0);
    ASSERT_TRUE(parent.zoomIn(2000, 2999));
    const auto s = DEOODDOSignal::create(nullptr, parent, 1.0L, 1.5L);
    ASSERT_EQ(s->count(), 501u);
    EXPECT_EQ(s->samples()[0], 1000.0f) << "from the whole signal, not the visible part";
    EXPECT_NEAR(double(s->xOffset()), 1.0, 1e-12);
    // Stored values beyond the signal are cut to it.
    const auto tail = DEOODDOSignal::create(nullptr, parent, 2.9L, 7.0L);
    ASSERT_EQ(tail->count(), 100u);
    EXPECT_EQ(tail->samples()[99], 2999.0f);
    const auto head = DEOODDOSignal::create(nullptr, parent, -3.0L, 0.05L);
    ASSERT_EQ(head->count(), 51u);
    EXPECT_EQ(head->samples()[0], 0.0f);
}
