#include <gtest/gtest.h>

#include "DftReference.h"
#include "SpectrumTestSupport.h"
#include "signal/SignalKind.h"

TEST(SpectrumSize, ThousandSamplesAt8000HertzGive512BinsUpToNyquist)
{
    SpectrumFixture f;
    SpectrumSignal& spectrum = f.make(plainSettings(), randomValues(1000, 1));
    EXPECT_EQ(spectrum.kind(), SignalKind::Spectrum);
    EXPECT_EQ(spectrum.count(), 512u);
    EXPECT_NEAR(double(spectrum.xOfIndex(0)), 7.8125, 1e-9);
    EXPECT_NEAR(double(spectrum.xOfIndex(511)), 4000.0, 1e-9);
}

TEST(SpectrumSize, ExpansionValueOneQuadruplesTheTransform)
{
    SpectralSettings s = plainSettings();
    s.doExpandWithZeros = 1;
    s.expandWithZerosVal = 1;
    SpectrumFixture f;
    SpectrumSignal& spectrum = f.make(s, randomValues(1000, 2));
    EXPECT_EQ(spectrum.count(), 2048u);
    EXPECT_NEAR(double(spectrum.xOfIndex(0)), 8000.0 / 4096, 1e-9);
    EXPECT_NEAR(double(spectrum.xOfIndex(2047)), 4000.0, 1e-9);
}

TEST(SpectrumSize, FewerThanFourSamplesGiveTheEmptyResult)
{
    SpectrumFixture f;
    const std::vector<float> three{1, 2, 3};
    f.signal = SpectrumSignal::create(nullptr, plainSettings(), three.data(), 3, 8000, f.tap);
    ASSERT_TRUE(f.signal);
    EXPECT_EQ(f.signal->kind(), SignalKind::Spectrum);
    EXPECT_EQ(f.signal->sampleRate(), 0);
    EXPECT_EQ(f.signal->count(), 0u);

    // Four samples make the shortest transform: two points, bins 1 and 2.
    const std::vector<float> four{1, 2, 3, 4};
    SpectrumSignal& spectrum = f.make(plainSettings(), four);
    EXPECT_EQ(spectrum.count(), 2u);
    const std::vector<float> before = f.values();
    EXPECT_EQ(spectrum.update(plainSettings(), three.data(), 3, 8000, f.tap), SpectrumSignal::UpdateResult::TooShort);
    EXPECT_EQ(f.values(), before);
}

TEST(SpectrumSize, ChangingOnlyTheExpansionRebuildsWithTheNewLength)
{
    const std::vector<float> x = randomValues(1000, 3);
    SpectrumFixture f;
    SpectrumSignal& spectrum = f.make(plainSettings(), x);
    ASSERT_EQ(spectrum.count(), 512u);
    SpectralSettings s = plainSettings();
    s.doExpandWithZeros = 1;
    s.expandWithZerosVal = 2;
    EXPECT_EQ(spectrum.update(s, x.data(), 1000, 8000, f.tap), SpectrumSignal::UpdateResult::Updated);
    EXPECT_EQ(spectrum.count(), 4096u);
    EXPECT_EQ(spectrum.spectral, s);
    EXPECT_NEAR(double(spectrum.xOfIndex(4095)), 4000.0, 1e-9);
}

TEST(SpectrumSize, AnUpdateWithTheSameShapeKeepsEveryBuffer)
{
    SpectrumFixture f;
    SpectrumSignal& spectrum = f.make(plainSettings(), randomValues(1000, 4));
    const float* samples = spectrum.samples();
    const float* re = spectrum.pipeline().realParts();
    const std::vector<float> y = randomValues(1000, 5);
    SpectralSettings s = plainSettings();
    s.doTaper = 1;
    s.doSmooth = 1;
    EXPECT_EQ(spectrum.update(s, y.data(), 1000, 8000, f.tap), SpectrumSignal::UpdateResult::Updated);
    EXPECT_EQ(spectrum.samples(), samples);
    EXPECT_EQ(spectrum.pipeline().realParts(), re);
}
