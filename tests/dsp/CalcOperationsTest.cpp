#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/CalcArithmetic.h"
#include "dsp/CalcProgram.h"
#include "dsp/CircularConvolution.h"
#include "dsp/CrossSpectrum.h"
#include "support/Noise.h"
#include "support/NumpyReference.h"

namespace {
// The defining sum of the circular convolution, in double.
std::vector<double> circularSum(const std::vector<float>& r, const std::vector<float>& u)
{
    const std::size_t n = std::max(r.size(), u.size());
    std::vector<double> out(n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < u.size(); ++j) {
            const std::size_t k = (i + n - j) % n;
            if (k < r.size())
                out[i] += double(u[j]) * r[k];
        }
    return out;
}

std::vector<float> convolved(std::vector<float> r, const std::vector<float>& u)
{
    const std::size_t count = r.size();
    r.resize(std::max(r.size(), u.size()));
    circularConvolution(r.data(), count, u.data(), u.size());
    return r;
}

std::vector<float> measure(char code, const std::vector<float>& x, const std::vector<float>& y,
                           const SpectralSettings& settings = {})
{
    std::vector<float> out(CrossSpectrum::outputCount(x.size(), y.size()));
    EXPECT_EQ(CrossSpectrum::compute(code, x.data(), x.size(), y.data(), y.size(), settings, out.data()), out.size());
    return out;
}

std::vector<float> sine(std::size_t n, double cyclesPerSample, double phase)
{
    std::vector<float> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = float(std::sin(2 * M_PI * cyclesPerSample * double(i) + phase));
    return v;
}
}  // namespace

// Values without a real result give 0; the scale factors are exact.
TEST(CalcArithmetic, UnaryAndBinaryOperators)
{
    std::vector<float> v{-4, 9, 0, 100};
    CalcArithmetic::applyUnary('s', v.data(), v.size());
    EXPECT_EQ(v, (std::vector<float>{0, 3, 0, 10}));
    v = {-1, 0, 1000, 0.01f};
    CalcArithmetic::applyUnary('l', v.data(), v.size());
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 0);
    EXPECT_FLOAT_EQ(v[2], 3);
    EXPECT_FLOAT_EQ(v[3], -2);
    v = {3, -2};
    CalcArithmetic::applyUnary('2', v.data(), v.size());
    EXPECT_EQ(v, (std::vector<float>{9, 4}));
    CalcArithmetic::applyUnary('5', v.data(), v.size());
    CalcArithmetic::applyUnary('1', v.data(), v.size());
    EXPECT_EQ(v, (std::vector<float>{180, 80}));
    CalcArithmetic::applyUnary('3', v.data(), v.size());
    CalcArithmetic::applyUnary('4', v.data(), v.size());
    EXPECT_EQ(v, (std::vector<float>{9, 4}));

    std::vector<float> r{6, 6, 6, 6};
    const std::vector<float> u{3, 0, -2, 1};
    CalcArithmetic::applyBinary('/', r.data(), u.data(), r.size());
    EXPECT_EQ(r, (std::vector<float>{2, 0, -3, 6}));
    CalcArithmetic::applyBinary('-', r.data(), u.data(), r.size());
    CalcArithmetic::applyBinary('*', r.data(), u.data(), r.size());
    CalcArithmetic::applyBinary('+', r.data(), u.data(), r.size());
    EXPECT_EQ(r, (std::vector<float>{0, 0, 0, 6}));
}

TEST(CircularConvolution, ShortSequencesWrapAround)
{
    EXPECT_EQ(convolved({1, 0, 0, 0}, {1, 2, 3, 4}), (std::vector<float>{1, 2, 3, 4}));
    EXPECT_EQ(convolved({0, 1, 0, 0}, {1, 2, 3, 4}), (std::vector<float>{4, 1, 2, 3}));
    // The shorter one is padded with zeros to the longer one's length.
    EXPECT_EQ(convolved({1, 1}, {1, 2, 3, 4}), (std::vector<float>{5, 3, 5, 7}));
    EXPECT_EQ(convolved({1, 2, 3, 4}, {0, 1}), (std::vector<float>{4, 1, 2, 3}));
}

// Long sequences go through the transform and equal the defining sum within single-precision
// rounding of the sum of the magnitudes, for equal and unequal lengths alike.
TEST(CircularConvolution, LongSequencesEqualTheDefiningSum)
{
    for (const auto& [rn, un] : {std::pair{1000u, 1000u}, std::pair{3001u, 700u}, std::pair{257u, 1024u}}) {
        const std::vector<float> r = noise(rn, rn), u = noise(un, un + 1);
        const std::vector<float> got = convolved(r, u);
        const std::vector<double> want = circularSum(r, u);
        ASSERT_EQ(got.size(), want.size());
        // Every |u| is at most 1, so the sum of |r| bounds each output.
        double scale = 0;
        for (float x : r)
            scale += std::fabs(x);
        for (std::size_t i = 0; i < want.size(); ++i)
            ASSERT_NEAR(got[i], want[i], 1e-6 * scale) << rn << " × " << un << " at " << i;
    }
    // An impulse through the transform path moves a long sequence, changed only by the rounding of
    // a 2048-point single-precision transform (a few float steps of the largest value).
    std::vector<float> impulse(600, 0.0f);
    impulse[5] = 1;
    const std::vector<float> x = noise(600, 9);
    const std::vector<float> moved = convolved(x, impulse);
    for (std::size_t i = 0; i < x.size(); ++i)
        ASSERT_NEAR(moved[(i + 5) % 600], x[i], 8e-6) << i;
}

// A signal against itself: coherence 1 and dBr 0 where there is energy; a quarter period of delay
// is a phase shift of 90 degrees at the sine's bin.
TEST(CrossSpectrum, MeasuresOfKnownPairs)
{
    const std::vector<float> x = noise(1000, 4);
    SpectralSettings settings;
    settings.smoothLen = 5;
    for (float c : measure('C', x, x, settings))
        EXPECT_NEAR(c, 1, 1e-4);
    for (float d : measure('D', x, x))
        EXPECT_NEAR(d, 0, 1e-4);

    // 1024 samples, 32 cycles: bin 32 is the sine's (output index 31).
    const std::vector<float> a = sine(1024, 32.0 / 1024, 0);
    const std::vector<float> b = sine(1024, 32.0 / 1024, -M_PI / 2);
    EXPECT_NEAR(std::fabs(measure('P', a, b)[31]), 90, 0.01);
    // Gain of a signal and twice itself.
    std::vector<float> doubled = a;
    for (float& v : doubled)
        v *= 2;
    EXPECT_NEAR(measure('G', a, doubled)[31], 2, 1e-5);
    // No energy anywhere: the defined values, not NaN.
    const std::vector<float> zeros(64, 0.0f);
    for (float v : measure('C', zeros, zeros))
        EXPECT_EQ(v, 0);
    for (float v : measure('D', zeros, zeros))
        EXPECT_EQ(v, -120);
    for (float v : measure('P', zeros, zeros))
        EXPECT_EQ(v, 0);
    SpectralSettings decibels;
    decibels.show = 3;
    for (float v : measure('S', zeros, zeros, decibels))
        EXPECT_EQ(v, -120);
}

// The cross spectrum of unconditioned blocks against numpy: the transform doubles each spectrum,
// so |X·conj(Y)| is four times numpy's; the shorter count decides the length.
TEST(CrossSpectrum, CrossSpectrumMatchesNumpy)
{
    const std::vector<float> x = noise(900, 5), y = noise(1300, 6);
    std::vector<float> both = x;
    both.insert(both.end(), y.begin(), y.end());
    const std::vector<double> want = numpyValues(R"(
a = x[:900].astype(float); b = x[900:900 + 900].astype(float)
A = np.fft.rfft(a, 1024); B = np.fft.rfft(b, 1024)
out(4 * np.abs(A * np.conj(B))[1:513])
)",
                                                 both);
    const std::vector<float> got = measure('S', x, y);
    ASSERT_EQ(got.size(), 512u);
    ASSERT_EQ(want.size(), 512u);
    for (std::size_t k = 0; k < got.size(); ++k)
        ASSERT_NEAR(got[k], want[k], 1e-4 * (1 + want[k])) << k;
    // Scaling either input scales the cross spectrum and leaves the coherence and the phase alone.
    std::vector<float> louder = y;
    for (float& v : louder)
        v *= 1000;
    const std::vector<float> scaled = measure('S', x, louder);
    for (std::size_t k = 0; k < got.size(); ++k)
        ASSERT_NEAR(scaled[k], 1000 * got[k], 1e-3 * (1 + 1000 * got[k])) << k;
    const std::vector<float> p1 = measure('P', x, y), p2 = measure('P', x, louder);
    for (std::size_t k = 0; k < p1.size(); ++k)
        ASSERT_NEAR(p1[k], p2[k], 1e-3) << k;
}

TEST(CrossSpectrum, TooFewCommonValuesGiveNothing)
{
    EXPECT_EQ(CrossSpectrum::outputCount(2, 100), 0u);
    EXPECT_EQ(CrossSpectrum::outputCount(3, 100), 2u);
    EXPECT_EQ(CrossSpectrum::outputCount(1000, 800), 512u);
}

// The grammar of the dialog: [unary] operand { binary [unary] operand }.
TEST(CalcProgram, GrammarOperandsAndStoredForm)
{
    const long double minus = CalcOperator::byCode('-')->element();
    const long double root = CalcOperator::byCode('s')->element();
    const long double squared = CalcOperator::byCode('2')->element();
    EXPECT_TRUE(CalcProgram({1, minus, 2}).complete());
    EXPECT_TRUE(CalcProgram({root, 1, minus, squared, 1}).complete());
    EXPECT_FALSE(CalcProgram().complete());
    EXPECT_FALSE(CalcProgram({1, minus}).complete());
    EXPECT_FALSE(CalcProgram({1, 2}).complete());
    EXPECT_FALSE(CalcProgram({root, squared, 1}).complete());
    EXPECT_FALSE(CalcProgram({minus, 1}).complete());
    EXPECT_FALSE(CalcProgram({1, 10120}).complete());

    const CalcProgram p({3, minus, 1, minus, 3});
    EXPECT_EQ(p.operands(), (std::vector<uint32_t>{3, 1}));
    EXPECT_EQ(p.stored(), (std::vector<long double>{5, 3, minus, 1, minus, 3}));
    const auto back = CalcProgram::fromStored(p.stored());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->elements(), p.elements());
    EXPECT_FALSE(CalcProgram::fromStored(std::vector<long double>{4, 3, minus, 1}));
    EXPECT_FALSE(CalcProgram::fromStored(std::vector<long double>{1, 1.5L}));
    EXPECT_EQ(p.expressionText([](uint32_t i) { return " " + std::to_string(i); }), " 3- 1- 3");
    EXPECT_EQ(CalcProgram({root, 1, CalcOperator::byCode('S')->element(), 2}).expressionText(
                  [](uint32_t i) { return " " + std::to_string(i); }),
              std::string(" sqrt 1") + CalcOperator::byCode('S')->expressionText + " 2");
}
