#include "dsp/GeneratorParameters.h"

#include <algorithm>
#include <cmath>

GeneratorParameters GeneratorParameters::initial()
{
    return {{8000, 1, 8000, 1, -1, 1000, Sin, 0, 0, 0}};
}

bool GeneratorParameters::usable() const
{
    // The three carried numbers take no part in the signal.
    if (!std::all_of(param.begin(), param.begin() + 7, [](long double v) { return std::isfinite(v); }))
        return false;
    const long double samples = std::trunc(param[2]);
    const long double index = param[6];
    if (!(sampleRate() > 0 && seconds() > 0 && frequency() > 0 && samples >= 1 && samples <= MaxSamples))
        return false;
    if (index != std::trunc(index) || index < 0 || index >= FunctionCount)
        return false;
    return function() == Const || maximum() - minimum() != 0;
}
