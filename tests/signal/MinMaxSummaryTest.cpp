#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "signal/MinMaxSummary.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"

namespace {
// The extremes the slow way, one sample after the other.
MinMax reference(const std::vector<float>& v, uint32_t first, uint32_t end)
{
    MinMax r{INFINITY, -INFINITY};
    for (uint32_t i = first; i < end; ++i) {
        if (std::isnan(v[i]))
            continue;
        r.min = std::min(r.min, v[i]);
        r.max = std::max(r.max, v[i]);
    }
    return r;
}

std::vector<float> noise(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> normal;
    std::vector<float> v(n);
    for (float& x : v)
        x = normal(random);
    return v;
}
}  // namespace

TEST(MinMaxSummary, RangesAgreeWithASampleBySampleScan)
{
    const std::vector<float> v = noise(300000, 1);
    MinMaxSummary summary;
    summary.rebuild(v.data(), uint32_t(v.size()));
    std::mt19937 random(2);
    for (int trial = 0; trial < 2000; ++trial) {
        uint32_t a = random() % v.size();
        uint32_t b = random() % (v.size() + 1);
        if (a > b)
            std::swap(a, b);
        const MinMax got = summary.range(v.data(), a, b);
        const MinMax want = reference(v, a, b);
        if (a == b) {
            EXPECT_TRUE(got.empty());
            continue;
        }
        ASSERT_EQ(got.min, want.min) << a << " " << b;
        ASSERT_EQ(got.max, want.max) << a << " " << b;
    }
}

TEST(MinMaxSummary, NaNIsNeverAnExtreme)
{
    std::vector<float> v(1000, 1.0f);
    v[10] = NAN;
    v[600] = 3;
    MinMaxSummary summary;
    summary.rebuild(v.data(), 1000);
    EXPECT_EQ(summary.overall().max, 3);
    EXPECT_EQ(summary.overall().min, 1);
    EXPECT_TRUE(MinMaxSummary::scan(v.data() + 10, 1).empty());
}

TEST(MinMaxSummary, SignalEditsKeepTheSummaryCurrent)
{
    std::vector<float> v = noise(200000, 3);
    Signal signal(nullptr, SignalKind::FileSignal, v.data(), uint32_t(v.size()), 1000);
    signal.fill(70000, 70100, 50);
    EXPECT_EQ(signal.extremes(0, 200000).max, 50);
    EXPECT_EQ(signal.yMax(), 50);
    const float block[] = {-60, -61};
    ASSERT_TRUE(signal.paste(150000, block));
    EXPECT_EQ(signal.extremes(100000, 199000).min, -61);
    ASSERT_TRUE(signal.cut(60000, 80000));
    EXPECT_EQ(signal.yMax(), reference(std::vector<float>(signal.samples(), signal.samples() + signal.count()), 0,
                                       signal.count()).max);
    EXPECT_EQ(signal.extremes(100000, 150000).min, -61);
}

// A producer that found each fine block's extremes while writing the samples gets the summary a scan
// would make, and a signal built on it the same Y range.
TEST(MinMaxSummary, FineBlocksFromTheProducerGiveTheScannedSummary)
{
    std::vector<float> v = noise(200000 + 77, 4);
    v[131071] = 40;
    v[65536] = NAN;
    std::vector<MinMax> fine;
    for (std::size_t start = 0; start < v.size(); start += MinMaxSummary::FineBlock) {
        const std::size_t n = std::min<std::size_t>(MinMaxSummary::FineBlock, v.size() - start);
        fine.push_back(MinMaxSummary::scan(v.data() + start, n));
    }
    const MinMaxSummary given = MinMaxSummary::fromFineBlocks(fine);
    MinMaxSummary scanned;
    scanned.rebuild(v.data(), uint32_t(v.size()));
    EXPECT_EQ(given.overall().max, 40);
    EXPECT_EQ(given.overall().min, scanned.overall().min);
    std::mt19937 random(5);
    for (int trial = 0; trial < 1000; ++trial) {
        uint32_t a = random() % v.size();
        uint32_t b = random() % (v.size() + 1);
        if (a > b)
            std::swap(a, b);
        ASSERT_EQ(given.range(v.data(), a, b).min, reference(v, a, b).min) << a << " " << b;
        ASSERT_EQ(given.range(v.data(), a, b).max, reference(v, a, b).max) << a << " " << b;
    }
    auto block = Signal::allocateSamples(v.size());
    std::copy(v.begin(), v.end(), block.get());
    const Signal signal(nullptr, SignalKind::WavChannel, std::move(block), uint32_t(v.size()), 8000,
                        MinMaxSummary::fromFineBlocks(fine));
    EXPECT_EQ(signal.yMax(), 40);
    EXPECT_EQ(signal.yMin(), scanned.overall().min);
    EXPECT_EQ(signal.zoomEnd(0), v.size() - 1);
}
