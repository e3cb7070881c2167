#include "tree/FilterForm.h"

#include <cstdio>
#include <cstdlib>

#include "dsp/RealTransformPair.h"
#include "signal/Signal.h"

FilterForm::FilterForm(std::string from, std::string to)
    : fromText("0"), toText(std::move(to)), handedFrom_(std::move(from))
{
}

FilterForm FilterForm::forSignal(const Signal& signal)
{
    const long double rate = signal.sampleRate();
    char from[64];
    char to[64];
    std::snprintf(from, sizeof from, "%.6Lf", rate / powerOfTwoAtLeast(signal.visibleCount()));
    std::snprintf(to, sizeof to, "%.6Lf", rate / 2);
    return FilterForm(from, to);
}

void FilterForm::chooseType(int16_t type)
{
    type_ = type;
    if (type == FilterType::LowPass)
        fromText.assign(1, '0');
}

bool FilterForm::accept()
{
    parameters_ = {std::strtold(fromText.c_str(), nullptr), std::strtold(toText.c_str(), nullptr),
                   (long double)type_};
    return true;
}
