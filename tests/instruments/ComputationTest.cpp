#include "instruments/InstrumentFixture.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "dsp/Statistics.h"
#include "instruments/InstrumentMeasures.h"
#include "support/NumpyReference.h"
#include "tree/CommandIds.h"

namespace {
std::vector<float> noise(std::size_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::normal_distribution<float> normal(0.3f, 2.0f);
    std::vector<float> v(n);
    for (float& x : v)
        x = normal(generator);
    return v;
}
}  // namespace

TEST_F(InstrumentTest, MaximumMarksTheFirstOfEqualMaxima)
{
    marluneMDIChild* file = fileWindow({1, 3, 3, 2});
    marlune1DChild* maximum = byCommand(file, Cmd::InstrumentMax);
    ASSERT_NE(maximum, nullptr);
    EXPECT_EQ(maximum->value(), 3);
    const std::optional<Marker> marker = maximum->marker();
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->position, 1u);
    EXPECT_EQ(marker->value, 3.0f);

    marlune1DChild* minimum = byCommand(file, Cmd::InstrumentMin);
    EXPECT_EQ(minimum->value(), 1);
    EXPECT_EQ(minimum->marker()->position, 0u);
    // The parent's view draws both, in the order of its children.
    ASSERT_EQ(file->childMarkers().size(), 2u);
    EXPECT_EQ(file->childMarkers()[1].position, 0u);
}

TEST_F(InstrumentTest, ZoomedParentGivesTheMeanAndMaximumPositionOfTheVisibleSamples)
{
    std::vector<float> samples = noise(1000, 7);
    marluneMDIChild* file = fileWindow(samples);
    marlune1DChild* mean = byCommand(file, Cmd::InstrumentMean);
    marlune1DChild* position = byCommand(file, Cmd::InstrumentMaxPos);
    ASSERT_TRUE(mean && position);

    ASSERT_TRUE(file->signal()->zoomIn(100, 199));
    file->updateAfterChange();

    long double sum = 0;
    for (int i = 100; i < 200; ++i)
        sum += samples[i];
    EXPECT_DOUBLE_EQ(mean->value(), double(sum / 100));
    const auto k = std::max_element(samples.begin() + 100, samples.begin() + 200) - (samples.begin() + 100);
    EXPECT_DOUBLE_EQ(position->value(), 0.1 + double(k) / 1000);
    EXPECT_EQ(position->marker()->position, uint32_t(k)) << "the marker counts from the first visible sample";
}

TEST_F(InstrumentTest, SumAddsMagnitudes)
{
    marlune1DChild* sum = byCommand(fileWindow({-1, 2, -3, 0}), Cmd::InstrumentSum);
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->value(), 6);
}

TEST_F(InstrumentTest, RmsAboutZeroAndAboutTheMean)
{
    marluneMDIChild* file = fileWindow({3, 4, 3, 4});
    EXPECT_DOUBLE_EQ(byCommand(file, Cmd::InstrumentRms)->value(), std::sqrt(12.5));
    EXPECT_DOUBLE_EQ(byCommand(file, Cmd::InstrumentRmsNormalized)->value(), 0.5);
    EXPECT_DOUBLE_EQ(byCommand(file, Cmd::InstrumentStdDev)->value(), 0.5);
}

TEST_F(InstrumentTest, StatisticsMatchNumpy)
{
    const std::vector<float> samples = noise(5000, 11);
    marluneMDIChild* file = fileWindow(samples);
    const std::vector<double> expected = numpyValues(
        "d = x.astype(np.float64)\n"
        "out([d.mean(), d.std(), np.sqrt((d * d).mean()), np.abs(d).sum()])",
        samples);
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_NEAR(byCommand(file, Cmd::InstrumentMean)->value(), expected[0], 1e-12);
    EXPECT_NEAR(byCommand(file, Cmd::InstrumentStdDev)->value(), expected[1], 1e-12);
    EXPECT_NEAR(byCommand(file, Cmd::InstrumentRmsNormalized)->value(), expected[1], 1e-12);
    EXPECT_NEAR(byCommand(file, Cmd::InstrumentRms)->value(), expected[2], 1e-12);
    EXPECT_NEAR(byCommand(file, Cmd::InstrumentSum)->value(), expected[3], 1e-9);
}

// A change of unit (a factor of 4, exact in binary) changes every level measure by the same factor.
TEST_F(InstrumentTest, ScalingTheSignalScalesTheMeasuresExactly)
{
    const std::vector<float> samples = noise(4096, 3);
    std::vector<float> scaled = samples;
    for (float& x : scaled)
        x *= 4;
    marluneMDIChild* plain = fileWindow(samples);
    marluneMDIChild* big = fileWindow(scaled);
    for (int command : {Cmd::InstrumentMean, Cmd::InstrumentMax, Cmd::InstrumentMin, Cmd::InstrumentRms,
                        Cmd::InstrumentRmsNormalized, Cmd::InstrumentStdDev, Cmd::InstrumentSum}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(byCommand(big, command)->value(), 4 * byCommand(plain, command)->value());
    }
    EXPECT_EQ(byCommand(big, Cmd::InstrumentMaxPos)->value(), byCommand(plain, Cmd::InstrumentMaxPos)->value());
}

TEST_F(InstrumentTest, EditingTheLastVisibleSampleReachesTheInstruments)
{
    marluneMDIChild* file = fileWindow({1, 2, 3, 4, 5});
    marlune1DChild* maximum = byCommand(file, Cmd::InstrumentMax);
    marlune1DChild* mean = byCommand(file, Cmd::InstrumentMean);
    file->signal()->samples()[4] = 10;
    file->updateAfterChange();
    EXPECT_EQ(maximum->value(), 10);
    EXPECT_EQ(maximum->marker()->position, 4u);
    EXPECT_DOUBLE_EQ(mean->value(), 4);
}

TEST_F(InstrumentTest, ValueAtOutsideTheVisibleRangeIsZeroWithoutMarkerUntilVisibleAgain)
{
    std::vector<float> samples(1000);
    std::iota(samples.begin(), samples.end(), 1.0f);
    marluneMDIChild* file = fileWindow(samples, 1000, 0.5);
    ui.inputAnswers.push_back("0.9004");
    marlune1DChild* at = byCommand(file, Cmd::InstrumentAt);
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(at->caption(), " 2#Value at 0.9004 from 1#file");
    // X 0.9004 is sample 400.4 of the signal: sample 400, value 401.
    EXPECT_EQ(at->value(), 401);
    ASSERT_TRUE(at->marker());
    EXPECT_EQ(at->marker()->position, 400u);

    ASSERT_TRUE(file->signal()->zoomIn(0, 99));
    file->updateAfterChange();
    EXPECT_EQ(at->value(), 0);
    EXPECT_FALSE(at->marker());
    EXPECT_TRUE(file->childMarkers().empty());

    ASSERT_TRUE(file->zoomOut());
    EXPECT_EQ(at->value(), 401);
    ASSERT_TRUE(at->marker());
    EXPECT_EQ(at->marker()->position, 400u);
    EXPECT_TRUE(at->settings().markerOn) << "the person's marker switch is left as it was";

    ASSERT_TRUE(file->signal()->zoomIn(300, 499));
    file->updateAfterChange();
    EXPECT_EQ(at->marker()->position, 100u);
}

TEST_F(InstrumentTest, NanSamplesGiveNumbersOrNanButNoMarkerOutsideThePlot)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    marluneMDIChild* file = fileWindow({nan, 2, nan, 5, 1});
    EXPECT_EQ(byCommand(file, Cmd::InstrumentMax)->value(), 5);
    EXPECT_EQ(byCommand(file, Cmd::InstrumentMin)->marker()->position, 4u);
    EXPECT_TRUE(std::isnan(byCommand(file, Cmd::InstrumentMean)->value()));
    EXPECT_TRUE(std::isnan(byCommand(file, Cmd::InstrumentRms)->value()));

    marluneMDIChild* empty = fileWindow({nan, nan, nan, nan});
    marlune1DChild* maximum = byCommand(empty, Cmd::InstrumentMax);
    ASSERT_NE(maximum, nullptr);
    EXPECT_TRUE(std::isnan(maximum->value()));
    EXPECT_FALSE(maximum->marker()) << "a NaN has no place on the curve";
}

// A hundred million constant samples: a float sum would stop growing at 2^24; the extended sum gives
// the value back exactly.
TEST(InstrumentMeasures, MeanOfAHugeConstantSignalIsExact)
{
    const std::vector<float> samples(100'000'000, 0.1f);
    EXPECT_EQ(double(mean(samples.data(), samples.size())), double(0.1f));
}

TEST(InstrumentMeasures, ThdAndSnrGiveZeroWhereTheLogarithmHasNoResult)
{
    using namespace InstrumentMeasures;
    // x0 = 1, S = 3 + 2 = 5: 20 ln(1 / 4).
    EXPECT_DOUBLE_EQ(thd(std::vector<float>{1, 3, 2, 0.5f}), 20 * std::log(0.25));
    // Nothing above x0: S - x0 = -x0, a negative ratio.
    EXPECT_EQ(thd(std::vector<float>{4, 1, 2}), 0);
    // S - x0 = 0.
    EXPECT_EQ(thd(std::vector<float>{1, 1, 0.5f}), 0);
    EXPECT_EQ(thd(std::vector<float>{0, 1, 2}), 0) << "ln 0";
    EXPECT_EQ(thd(std::vector<float>{}), 0);

    // M = 8, T - M = 4 over 4 others: 20 ln(8 / 1).
    EXPECT_DOUBLE_EQ(snr(std::vector<float>{1, 8, 1, 1, 1}), 20 * std::log(8.0));
    EXPECT_EQ(snr(std::vector<float>{5}), 0);
    EXPECT_EQ(snr(std::vector<float>{2, -2}), 0) << "a negative ratio";
}
