#include <gtest/gtest.h>

#include <utility>

#include "dsp/GeneratorParameters.h"
#include "signal/GENSignal.h"
#include "signal/SignalKind.h"
#include "support/AddressSpaceLimit.h"

TEST(GENSignal, KeepsAllTenParametersOnItsOwnGrid)
{
    const GeneratorParameters p{{100, 0.5, 50.9, 3, -3, 25, GeneratorParameters::Cos, 7, 8, 9}};
    const auto signal = GENSignal::create(nullptr, p, 1);
    ASSERT_NE(signal, nullptr);
    EXPECT_EQ(signal->kind(), SignalKind::Generated);
    EXPECT_EQ(static_cast<const GENSignal&>(*signal).parameters.param, p.param);
    EXPECT_EQ(signal->count(), 50u) << "the length in samples is truncated";
    EXPECT_EQ(signal->sampleRate(), 100.0L);
    EXPECT_EQ(signal->xOffset(), 0.0L);
    EXPECT_EQ(signal->zoomEnd(0), 49u);
    // Four samples per period starting at phase 0: 3, 0, -3, 0, ...
    EXPECT_NEAR(signal->samples()[2], -3.0f, 1e-5);
    EXPECT_NEAR(signal->yMax(), 3.0f, 1e-5);
    EXPECT_NEAR(signal->yMin(), -3.0f, 1e-5);
}

TEST(GENSignal, SamplesThatCannotBeAllocatedGiveNoSignal)
{
    if (!AllocationsCanFail)
        GTEST_SKIP() << "allocation failures end the process under AddressSanitizer";
    // 4 GB of samples; then 160 MB of samples whose window shape needs twice as much again.
    for (auto [function, length] : {std::pair{GeneratorParameters::Sin, 1e9L}, std::pair{GeneratorParameters::Hanning, 4e7L}}) {
        GeneratorParameters p = GeneratorParameters::initial();
        p.param[2] = length;
        p.param[6] = function;
        const AddressSpaceLimit limit(256u << 20);
        EXPECT_EQ(GENSignal::create(nullptr, p, 1), nullptr) << "function " << function;
    }
}
