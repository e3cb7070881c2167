#include "dsp/SignalGenerator.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "dsp/TapWindow.h"

namespace {
void periodic(const GeneratorParameters& p, long double (*wave)(long double), float* out, uint32_t n)
{
    const long double a = (p.maximum() - p.minimum()) / 2;
    const long double c = p.minimum() + a;
    const long double omega = SignalGenerator::TwoPi / (p.sampleRate() / p.frequency());
    for (uint32_t i = 0; i < n; ++i)
        out[i] = float(c + a * wave(omega * i));
}

void steps(const GeneratorParameters& p, float* out, uint32_t n)
{
    const long double period = p.sampleRate() / p.frequency();
    const auto high = float(p.maximum());
    const auto low = float(p.minimum());
    for (uint32_t i = 0; i < n; ++i)
        out[i] = std::fmod(std::floor(i / period), 2.0L) == 0 ? high : low;
}

void randomIntegers(const GeneratorParameters& p, uint32_t seed, float* out, uint32_t n)
{
    const long double width = std::trunc(p.maximum() - p.minimum() + 1);
    if (width == 0) {
        std::fill_n(out, n, float(p.minimum()));
        return;
    }
    // Values 1 … 2^31 - 2: non-negative and 31 bits wide. Their remainder keeps their sign, so a
    // negative width counts as its magnitude, as an integer remainder does.
    std::minstd_rand engine(seed);
    for (uint32_t i = 0; i < n; ++i)
        out[i] = float(p.minimum() + std::fmod((long double)engine(), width));
}

void windowShape(int32_t type, float* out, uint32_t n)
{
    TapWindow window;
    window.set(type, n, false);
    std::copy_n(window.values(), n, out);
}
}  // namespace

void SignalGenerator::generate(const GeneratorParameters& parameters, uint32_t seed, float* out)
{
    const uint32_t n = parameters.sampleCount();
    switch (parameters.function()) {
    case GeneratorParameters::Sin:
        return periodic(parameters, [](long double x) { return std::sin(x); }, out, n);
    case GeneratorParameters::Cos:
        return periodic(parameters, [](long double x) { return std::cos(x); }, out, n);
    case GeneratorParameters::Step:
        return steps(parameters, out, n);
    case GeneratorParameters::Random:
        return randomIntegers(parameters, seed, out, n);
    case GeneratorParameters::Hanning:
        return windowShape(TapWindow::Hanning, out, n);
    case GeneratorParameters::Hamming:
        return windowShape(TapWindow::Hamming, out, n);
    case GeneratorParameters::Blackman:
        return windowShape(TapWindow::Blackman, out, n);
    case GeneratorParameters::Const:
        std::fill_n(out, n, float(parameters.minimum()));
        return;
    case GeneratorParameters::Triangular:
        return windowShape(TapWindow::Triangle, out, n);
    }
}
