#include "dsp/RealTransformPair.h"

RealTransformPair::RealTransformPair(std::size_t n)
    : n_(n), re_(std::make_unique<float[]>(n + 1)), im_(std::make_unique<float[]>(n + 1)),
      forwardPlan_(n, n, n, -1), forwardSplit_(n, -1), inverseSplit_(n, +1), inversePlan_(n, n, n, +1)
{
}

// Plans of n ≥ 2 points of a power of two always run.
void RealTransformPair::forward()
{
    (void)forwardPlan_.execute(re_.get(), im_.get());
    (void)forwardSplit_.execute(re_.get(), im_.get());
}

void RealTransformPair::inverse()
{
    (void)inverseSplit_.execute(re_.get(), im_.get());
    (void)inversePlan_.execute(re_.get(), im_.get());
}

std::size_t powerOfTwoAtLeast(std::size_t count)
{
    std::size_t power = 1;
    while (power < count)
        power *= 2;
    return power;
}
