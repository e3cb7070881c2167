#include "dsp/FftEngine.h"

#include "dsp/FftFactors.h"
#include "dsp/FftPlan.h"
#include "dsp/FftRealSplitPlan.h"

FftStatus FftEngine::checkLength(std::size_t n)
{
    if (n < 2)
        return FftStatus::TooShort;
    FftFactors factors;
    return factorizeFftLength(n, factors);
}

FftStatus FftEngine::transform(float* re, float* im, std::size_t total, std::size_t n, std::size_t span,
                               int sign)
{
    return FftPlan(total, n, span, sign).execute(re, im);
}

FftStatus FftEngine::realSplit(float* re, float* im, std::size_t n, int sign)
{
    return FftRealSplitPlan(n, sign).execute(re, im);
}
