// Its own test program: it replaces the global operator new to count what an update allocates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "dsp/SpectralSettings.h"
#include "dsp/TapWindow.h"
#include "signal/SpectrumSignal.h"

namespace {
bool counting = false;
std::size_t allocations = 0;
}  // namespace

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

std::vector<float> testSignal(std::size_t count, double phase)
{
    std::vector<float> x(count);
    for (std::size_t i = 0; i < count; ++i)
        x[i] = float(std::sin(0.05 * double(i) + phase) + 0.001 * double(i));
    return x;
}

// Allocations made by `updates` updates that follow a first one with the same settings.
std::size_t allocationsOfLaterUpdates(const SpectralSettings& s, int updates)
{
    const std::vector<float> x = testSignal(5000, 0);
    TapWindow tap;
    auto signal = SpectrumSignal::create(nullptr, s, x.data(), 5000, 8000, tap);
    auto& spectrum = static_cast<SpectrumSignal&>(*signal);
    spectrum.update(s, x.data(), 5000, 8000, tap);
    allocations = 0;
    counting = true;
    for (int k = 0; k < updates; ++k)
        spectrum.update(s, x.data(), 5000, 8000, tap);
    counting = false;
    return allocations;
}

SpectralSettings everyStep()
{
    SpectralSettings s;
    s.doNormalize = 1;
    s.doRemoveLinTrend = 1;
    s.doRemovePeaks = 1;
    s.removePeaksVal = 2;
    s.doTaper = 1;
    s.window = TapWindow::Blackman;
    s.doExpandWithZeros = 1;
    s.show = 2;
    s.doSmooth = 1;
    s.smoothWindow = TapWindow::Hamming;
    s.smoothLen = 9;
    s.doTestPeaks = 1;
    s.testPeaksLevel = 5;
    return s;
}

}  // namespace

TEST(SpectrumAllocation, UpdatesWithEveryStepAllocateNothing)
{
    EXPECT_EQ(allocationsOfLaterUpdates(everyStep(), 3), 0u);
}

TEST(SpectrumAllocation, AveragedAndSegmentedUpdatesAllocateNothing)
{
    SpectralSettings averaged = everyStep();
    averaged.type = 1;
    averaged.average = 2;
    EXPECT_EQ(allocationsOfLaterUpdates(averaged, 4), 0u);
    SpectralSettings welch = everyStep();
    welch.show = 7;
    EXPECT_EQ(allocationsOfLaterUpdates(welch, 3), 0u);
}

TEST(SpectrumAllocation, ARebuildIsCounted)
{
    const std::vector<float> x = testSignal(5000, 0);
    TapWindow tap;
    SpectralSettings s = everyStep();
    auto signal = SpectrumSignal::create(nullptr, s, x.data(), 5000, 8000, tap);
    allocations = 0;
    counting = true;
    static_cast<SpectrumSignal&>(*signal).update(s, x.data(), 4000, 8000, tap);
    counting = false;
    EXPECT_GT(allocations, 0u);
}
