#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "FFTTestSupport.h"
#include "base/ProgressReport.h"
#include "dsp/TapWindow.h"
#include "support/NumpyReference.h"
#include "views/FFTSignal.h"

namespace {

TimeFFTParameters parameters(uint32_t N, uint32_t M, long double from, long double to)
{
    TimeFFTParameters p;
    p.N = N;
    p.M = M;
    p.azimuth = 15;
    p.elevation = 3;
    p.fromFrequency = from;
    p.toFrequency = to;
    return p;
}

std::vector<float> rowValues(const FFTSignal& fft, uint32_t r)
{
    return {fft.row(r), fft.row(r) + fft.bins()};
}

// The Hanning-tapered magnitudes of M segments of N samples `hop` apart, from numpy, row after row.
std::vector<double> numpyRows(const std::vector<float>& x, uint32_t N, uint32_t M, uint32_t hop)
{
    const std::string script = std::string(NumpyWindowFormulas) + "N = " + std::to_string(N) + "; M = "
                               + std::to_string(M) + "; hop = " + std::to_string(hop) + R"(
for i in range(M):
    y = x[i * hop:i * hop + N].astype(float)
    y = (y - y.mean()) * window(0, N)
    out(np.abs(np.fft.rfft(y))[1:N // 2 + 1] * 2 / N)
)";
    return numpyValues(script, x);
}

struct TimeFFTFixture {
    TapWindow tap;
    SpectralSettings settings = hanningMagnitude();
    FFTSignal fft;

    FFTSignal::Result create(const Signal& parent, uint32_t N, uint32_t M)
    {
        return fft.createTimeFFT(parent, parameters(N, M, parent.sampleRate() / N, parent.sampleRate() / 2),
                                 settings, tap);
    }
};

}  // namespace

// 10 000 samples, N = 1024, M = 10: hop 997, the last segment from 8973 to 9996, every row as numpy has it.
TEST(TimeFFT, SegmentsAreHopApartAndMatchNumpy)
{
    const std::vector<float> x = noise(10000, 3);
    const auto parent = parentOf(x);
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 10), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.hop(), 997.0);
    EXPECT_DOUBLE_EQ(f.fft.rowStep, 997.0 / 8000);
    EXPECT_EQ(f.fft.rows(), 10u);
    EXPECT_EQ(f.fft.bins(), 512u);
    EXPECT_EQ(f.fft.segmentsComputed(), 10u);

    const std::vector<double> want = numpyRows(x, 1024, 10, 997);
    ASSERT_EQ(want.size(), 10u * 512);
    for (uint32_t r = 0; r < 10; ++r)
        for (uint32_t j = 0; j < 512; ++j)
            ASSERT_NEAR(f.fft.value(r, j), want[r * 512 + j], 2e-6) << "row " << r << " bin " << j;

    // The last 3 samples are not used: changing them changes nothing.
    std::vector<float> tail = x;
    tail[9997] = tail[9998] = tail[9999] = 50;
    const auto other = parentOf(tail);
    TimeFFTFixture g;
    ASSERT_EQ(g.create(*other, 1024, 10), FFTSignal::Result::Done);
    EXPECT_EQ(rowValues(g.fft, 9), rowValues(f.fft, 9));
    tail[9996] = 50;
    const auto touched = parentOf(tail);
    TimeFFTFixture h;
    ASSERT_EQ(h.create(*touched, 1024, 10), FFTSignal::Result::Done);
    EXPECT_NE(rowValues(h.fft, 9), rowValues(f.fft, 9));
}

TEST(TimeFFT, ExpandedSpectraGiveTheirFirstHalfLengthBins)
{
    const std::vector<float> x = noise(2048, 4);
    const auto parent = parentOf(x);
    TimeFFTFixture f;
    f.settings.doExpandWithZeros = 1;
    f.settings.expandWithZerosVal = 0;
    ASSERT_EQ(f.create(*parent, 256, 4), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.bins(), 128u);
    const std::string script = std::string(NumpyWindowFormulas) + R"(
y = x[0:256].astype(float)
y = np.concatenate(((y - y.mean()) * window(0, 256), np.zeros(256)))
out(np.abs(np.fft.rfft(y))[1:129] * 2 / 512)
)";
    const std::vector<double> want = numpyValues(script, x);
    ASSERT_EQ(want.size(), 128u);
    for (uint32_t j = 0; j < 128; ++j)
        EXPECT_NEAR(f.fft.value(0, j), want[j], 2e-6) << j;
}

// fs 8000, N 256: bins 31.25 Hz wide, From 31.25 and To 4000 select all 128.
TEST(TimeFFT, FrequencyRangeSelectsTheBinsOfLevelZero)
{
    const auto parent = parentOf(noise(4096, 5));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 256, 8), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.binStep, 31.25);
    EXPECT_EQ(f.fft.binY(0), 31.25);
    EXPECT_EQ(f.fft.binY(127), 4000.0);
    const ViewLevel& level = f.fft.level();
    EXPECT_EQ(f.fft.levelIndex(), 0);
    EXPECT_EQ(level.firstBin, 0);
    EXPECT_EQ(level.lastBin, 127);
    EXPECT_EQ(level.binCount, 128);
    EXPECT_EQ(level.firstRow, 0);
    EXPECT_EQ(level.lastRow, 7);
    EXPECT_EQ(level.rulerRow, 4);
    EXPECT_EQ(level.rulerBin, 63);

    // 1000 Hz is bin 31; 2000.1 Hz reaches bin 63 only.
    FFTSignal band;
    ASSERT_EQ(band.createTimeFFT(*parent, parameters(256, 8, 1000, 2000.1L), f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_EQ(band.level().firstBin, 31);
    EXPECT_EQ(band.level().lastBin, 63);
    EXPECT_EQ(band.level().rulerBin, 47);
}

TEST(TimeFFT, ZRangeIsTheLevelsExtremes)
{
    const auto parent = parentOf(noise(4096, 6));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 256, 8), FFTSignal::Result::Done);
    float max = f.fft.value(0, 0), min = max;
    for (uint32_t r = 0; r < 8; ++r)
        for (uint32_t j = 0; j < 128; ++j) {
            max = std::max(max, f.fft.value(r, j));
            min = std::min(min, f.fft.value(r, j));
        }
    EXPECT_EQ(f.fft.level().zMax, max);
    EXPECT_EQ(f.fft.level().zMin, min);
}

namespace {

// The level's extremes scanned in order over its rows and bins, from its first value.
std::pair<float, float> scannedZRange(const FFTSignal& fft)
{
    const ViewLevel& l = fft.level();
    float max = fft.value(uint32_t(l.firstRow), uint32_t(l.firstBin)), min = max;
    for (int32_t r = l.firstRow; r <= l.lastRow; ++r)
        for (int32_t j = l.firstBin; j <= l.lastBin; ++j) {
            max = std::max(max, fft.value(uint32_t(r), uint32_t(j)));
            min = std::min(min, fft.value(uint32_t(r), uint32_t(j)));
        }
    return {min, max};
}

}  // namespace

// The extremes found as the rows are computed, rotated with them and found again for a new row, give
// every level with all the bins the Z range a scan of its values gives; other levels scan their values.
TEST(TimeFFT, ZRangeFollowsTheRowsThroughEveryUpdate)
{
    std::vector<float> x = noise(40000, 21);
    std::fill(x.begin() + 15000, x.begin() + 17000, 0.0f);
    x[25000] = 400;
    const auto parent = parentOf(x);
    ASSERT_TRUE(parent->zoomIn(0, 9999));
    TimeFFTFixture f;
    f.fft.setThreads(2);
    ASSERT_EQ(f.create(*parent, 512, 40), FFTSignal::Result::Done);
    const auto expectScanned = [&](const char* when) {
        const auto [min, max] = scannedZRange(f.fft);
        EXPECT_EQ(f.fft.level().zMin, min) << when;
        EXPECT_EQ(f.fft.level().zMax, max) << when;
    };
    expectScanned("made");
    const uint32_t hop = uint32_t(f.fft.hop());
    for (int step = 0; step < 30; ++step) {
        ASSERT_TRUE(step < 20 ? parent->scrollRight(hop) : parent->scrollLeft(hop));
        ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
        ASSERT_NE(f.fft.shiftDirection, 0);
        expectScanned(step < 20 ? "stepped right" : "stepped left");
    }
    const ViewLevel whole = f.fft.level();
    f.fft.level() = ViewLevel::spanning(5, 30, 0, int32_t(f.fft.bins()) - 1);
    f.fft.adjustZRange();
    expectScanned("fewer rows, every bin");
    f.fft.level() = ViewLevel::spanning(5, 30, 10, 40);
    f.fft.adjustZRange();
    expectScanned("fewer bins");
    f.fft.level() = whole;
    ASSERT_TRUE(parent->scrollRight(hop - 1));
    ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    ASSERT_EQ(f.fft.shiftDirection, 0);
    expectScanned("recomputed");
}

TEST(TimeFFT, TooShortParentsAndMeaninglessChoicesAreInvalid)
{
    const auto parent = parentOf(noise(2048, 7));
    for (const auto& choice : {parameters(1024, 0, 8, 4000), parameters(256, 4, 3000, 1000),
                               parameters(3, 4, 8, 4000), parameters(256, 4, NAN, 4000)}) {
        TimeFFTFixture f;
        EXPECT_EQ(f.fft.createTimeFFT(*parent, choice, f.settings, f.tap), FFTSignal::Result::Invalid);
        EXPECT_EQ(f.fft.source(), FFTSignal::Source::None) << "nothing to keep";
        EXPECT_EQ(f.fft.rows(), 0u);
        EXPECT_EQ(f.fft.recompute(*parent, f.settings, f.tap), FFTSignal::Result::Invalid);
    }
}

// Sound choices over a parent too short for them are kept: the window has no rows until the parent
// shows enough, then computes what a window made over that parent computes, with the level it would have.
TEST(TimeFFT, AParentTooShortKeepsTheChoicesForALaterRecompute)
{
    const std::vector<float> x = noise(8000, 7);
    const auto shortParent = parentOf({x.begin(), x.begin() + 1023});
    TimeFFTFixture late;
    const TimeFFTParameters choice = parameters(1024, 4, 100, 3000);
    EXPECT_EQ(late.fft.createTimeFFT(*shortParent, choice, late.settings, late.tap), FFTSignal::Result::Invalid);
    EXPECT_FALSE(late.fft.valid());
    EXPECT_EQ(late.fft.rows(), 0u);
    EXPECT_EQ(late.fft.parameters().M, 4u) << "kept, as a workspace saves it";
    EXPECT_EQ(late.fft.level().rowCount, 0) << "an empty level reads nothing";
    EXPECT_EQ(late.fft.recompute(*shortParent, late.settings, late.tap), FFTSignal::Result::Invalid);

    const auto parent = parentOf(x);
    ASSERT_EQ(late.fft.recompute(*parent, late.settings, late.tap), FFTSignal::Result::Done);
    TimeFFTFixture atOnce;
    ASSERT_EQ(atOnce.fft.createTimeFFT(*parent, choice, atOnce.settings, atOnce.tap), FFTSignal::Result::Done);
    ASSERT_EQ(late.fft.rows(), atOnce.fft.rows());
    EXPECT_EQ(late.fft.level().firstBin, atOnce.fft.level().firstBin);
    EXPECT_EQ(late.fft.level().lastBin, atOnce.fft.level().lastBin);
    EXPECT_EQ(late.fft.level().rulerRow, atOnce.fft.level().rulerRow);
    EXPECT_EQ(late.fft.level().zMax, atOnce.fft.level().zMax);
    for (uint32_t r = 0; r < late.fft.rows(); ++r)
        EXPECT_TRUE(std::equal(late.fft.row(r), late.fft.row(r) + late.fft.bins(), atOnce.fft.row(r))) << r;
}

// A parent of exactly N samples makes the window, but a recompute needs N + M of them.
TEST(TimeFFT, ParentOfExactlyNSamplesIsCreatedThenInvalidAtRecompute)
{
    const auto parent = parentOf(noise(1024, 8));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 3), FFTSignal::Result::Done);
    EXPECT_TRUE(f.fft.valid());
    EXPECT_EQ(f.fft.hop(), 0.0);
    const std::vector<float> before = rowValues(f.fft, 1);

    EXPECT_EQ(f.fft.recompute(*parent, f.settings, f.tap), FFTSignal::Result::Invalid);
    EXPECT_FALSE(f.fft.valid());
    EXPECT_EQ(rowValues(f.fft, 1), before);
    EXPECT_EQ(f.fft.segmentsComputed(), 3u);
}

TEST(TimeFFT, OneSegmentHasHopZero)
{
    const auto parent = parentOf(noise(3000, 9));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 1), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.hop(), 0.0);
    EXPECT_EQ(f.fft.rowStep, 0.0);
    EXPECT_EQ(f.fft.rows(), 1u);
    EXPECT_EQ(f.fft.recompute(*parent, f.settings, f.tap), FFTSignal::Result::Done);
}

TEST(TimeFFT, RowsStartAtTheParentsFirstVisibleX)
{
    const auto parent = parentOf(noise(20000, 10));
    ASSERT_TRUE(parent->zoomIn(8000, 17999));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 10), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.rowOrigin, 1.0);
    EXPECT_DOUBLE_EQ(f.fft.rowX(9), 1.0 + 9 * 997.0 / 8000);
    EXPECT_EQ(f.fft.parentStart(), 8000u);
    ASSERT_TRUE(parent->scrollRight(40));
    f.fft.followParentX(*parent);
    EXPECT_EQ(f.fft.rowOrigin, 8040.0 / 8000);
}

TEST(TimeFFT, SpectrogramFormSwitchesToTheViewFromAbove)
{
    const auto parent = parentOf(noise(4096, 11));
    TimeFFTFixture f;
    TimeFFTParameters p = parameters(256, 8, 31.25, 4000);
    p.azimuth = -1;
    p.elevation = -1;
    ASSERT_EQ(f.fft.createTimeFFT(*parent, p, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.elevation, 0);
    EXPECT_EQ(f.fft.azimuth, 5);
    EXPECT_TRUE(f.fft.fillSegments);
    EXPECT_EQ(f.fft.savedAzimuth, -1);
    EXPECT_EQ(f.fft.savedElevation, -1);
}

// Stepping the parent by the hop rotates the rows and computes one segment; the rows equal those of a
// full recompute of the moved parent, and a step back undoes it the same way.
TEST(TimeFFTUpdate, StepByTheHopComputesOneSegment)
{
    const auto parent = parentOf(noise(30000, 12));
    ASSERT_TRUE(parent->zoomIn(0, 9999));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 10), FFTSignal::Result::Done);

    for (int step = 1; step <= 3; ++step) {
        ASSERT_TRUE(parent->scrollRight(997));
        const uint64_t before = f.fft.segmentsComputed();
        ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
        EXPECT_EQ(f.fft.segmentsComputed(), before + 1);
        EXPECT_EQ(f.fft.shiftDirection, +1);
        EXPECT_EQ(f.fft.parentStart(), uint32_t(997 * step));
    }
    EXPECT_EQ(f.fft.rowOrigin, 2991.0 / 8000);

    TimeFFTFixture full;
    ASSERT_EQ(full.create(*parent, 1024, 10), FFTSignal::Result::Done);
    for (uint32_t r = 0; r < 10; ++r)
        EXPECT_EQ(rowValues(f.fft, r), rowValues(full.fft, r)) << r;

    ASSERT_TRUE(parent->scrollLeft(997));
    const uint64_t before = f.fft.segmentsComputed();
    ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.segmentsComputed(), before + 1);
    EXPECT_EQ(f.fft.shiftDirection, -1);
    TimeFFTFixture back;
    ASSERT_EQ(back.create(*parent, 1024, 10), FFTSignal::Result::Done);
    for (uint32_t r = 0; r < 10; ++r)
        EXPECT_EQ(rowValues(f.fft, r), rowValues(back.fft, r)) << r;

    // The buffers moved, the values did not: the first step made row 1 the new row 0.
    TimeFFTFixture once;
    const auto single = parentOf(noise(30000, 12));
    ASSERT_TRUE(single->zoomIn(0, 9999));
    ASSERT_EQ(once.create(*single, 1024, 10), FFTSignal::Result::Done);
    const float* oldFirst = once.fft.row(0);
    const float* oldSecond = once.fft.row(1);
    ASSERT_TRUE(single->scrollRight(997));
    ASSERT_EQ(once.fft.followParent(*single, once.settings, once.tap), FFTSignal::Result::Done);
    EXPECT_EQ(once.fft.row(0), oldSecond);
    EXPECT_EQ(once.fft.row(9), oldFirst);
}

TEST(TimeFFTUpdate, AnyOtherChangeRecomputesEveryRow)
{
    const auto parent = parentOf(noise(30000, 13));
    ASSERT_TRUE(parent->zoomIn(0, 9999));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 10), FFTSignal::Result::Done);

    ASSERT_TRUE(parent->scrollRight(996));
    uint64_t before = f.fft.segmentsComputed();
    ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.segmentsComputed(), before + 10);
    EXPECT_EQ(f.fft.shiftDirection, 0);

    // Another visible count gives another hop.
    ASSERT_TRUE(parent->zoomIn(996 + 997, 996 + 997 + 9000));
    before = f.fft.segmentsComputed();
    ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.segmentsComputed(), before + 10);
    EXPECT_EQ(f.fft.hop(), double((9001 - 1024) / 9));

    // New settings are a full recompute even after a move by the hop.
    ASSERT_TRUE(parent->scrollRight(uint32_t(f.fft.hop())));
    f.settings.doExpandWithZeros = 1;
    before = f.fft.segmentsComputed();
    ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.segmentsComputed(), before + 10);
}

TEST(TimeFFTUpdate, AnInvalidWindowIsRecomputedOnceTheParentIsLongEnough)
{
    std::vector<float> x = noise(5000, 14);
    const auto parent = parentOf(x);
    ASSERT_TRUE(parent->zoomIn(0, 1025));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 1024, 3), FFTSignal::Result::Done);
    EXPECT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Invalid);
    ASSERT_TRUE(parent->zoomBack());
    ASSERT_EQ(f.fft.followParent(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_TRUE(f.fft.valid());
    EXPECT_EQ(f.fft.hop(), double((5000 - 1024) / 2));
}

// Segments shared among threads give the rows one thread gives, bit for bit; complex averaging,
// which carries from segment to segment, gives the same rows as one thread too.
TEST(TimeFFT, ThreadsGiveTheRowsOfOneThread)
{
    const auto parent = parentOf(noise(1024 + 3999 * 50, 21));
    for (const bool averaged : {false, true}) {
        std::vector<std::vector<float>> results;
        for (const unsigned threads : {1u, 2u, 3u}) {
            TimeFFTFixture f;
            if (averaged) {
                f.settings.type = SpectrumType::Averaged;
                f.settings.average = 3;
            }
            f.fft.setThreads(threads);
            ASSERT_EQ(f.create(*parent, 1024, 4000), FFTSignal::Result::Done);
            std::vector<float> all;
            for (uint32_t r = 0; r < f.fft.rows(); ++r)
                all.insert(all.end(), f.fft.row(r), f.fft.row(r) + f.fft.bins());
            results.push_back(std::move(all));
        }
        EXPECT_EQ(results[1], results[0]) << (averaged ? "averaged" : "single spectra");
        EXPECT_EQ(results[2], results[0]) << (averaged ? "averaged" : "single spectra");
    }
}

// Cancel during a recompute leaves the window invalid; the next recompute makes it whole again.
TEST(TimeFFT, CancelledRecomputeLeavesTheWindowInvalid)
{
    class CancelAtOnce : public ProgressReport {
    public:
        bool advance(uint64_t, uint64_t) override { return false; }
    } cancel;
    const auto parent = parentOf(noise(100000, 22));
    TimeFFTFixture f;
    ASSERT_EQ(f.create(*parent, 256, 2000), FFTSignal::Result::Done);
    const std::vector<float> last = rowValues(f.fft, 1999);
    EXPECT_EQ(f.fft.recompute(*parent, f.settings, f.tap, &cancel), FFTSignal::Result::Cancelled);
    EXPECT_FALSE(f.fft.valid());
    EXPECT_EQ(f.fft.recompute(*parent, f.settings, f.tap), FFTSignal::Result::Done);
    EXPECT_TRUE(f.fft.valid());
    EXPECT_EQ(rowValues(f.fft, 1999), last);

    FFTSignal fresh;
    EXPECT_EQ(fresh.createTimeFFT(*parent, parameters(256, 2000, 31.25, 4000), f.settings, f.tap, &cancel),
              FFTSignal::Result::Cancelled);
    EXPECT_FALSE(fresh.valid());
}
