#pragma once
// Forward and inverse transforms of N = 2n real samples on one pair of arrays, planned once.
#include <cstddef>
#include <memory>

#include "dsp/FftPlan.h"
#include "dsp/FftRealSplitPlan.h"

// The arrays hold n + 1 values each (re, im); all four plans are made once, so that a signal filtered again
// reuses them.
class RealTransformPair {
public:
    // n ≥ 2 complex points, a power of two.
    explicit RealTransformPair(std::size_t n);

    std::size_t points() const { return n_; }
    float* re() { return re_.get(); }
    float* im() { return im_.get(); }

    // Sample 2j in re[j], 2j + 1 in im[j] → bins 0 … n (twice the unscaled transform).
    void forward();
    // Bins 0 … n → the samples alternately in re and im, multiplied by 4n.
    void inverse();

private:
    std::size_t n_;
    std::unique_ptr<float[]> re_;
    std::unique_ptr<float[]> im_;
    FftPlan forwardPlan_;
    FftRealSplitPlan forwardSplit_;
    FftRealSplitPlan inverseSplit_;
    FftPlan inversePlan_;
};

// The smallest power of two not below count (1 for count 0).
std::size_t powerOfTwoAtLeast(std::size_t count);
