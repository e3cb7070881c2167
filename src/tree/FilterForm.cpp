#include "tree/FilterForm.h"

#include <cstdlib>

#include "dsp/RealTransformPair.h"
#include "settings/FormatText.h"
#include "signal/Signal.h"

FilterForm::FilterForm(std::string from, std::string to)
    : fromText("0"), toText(std::move(to)), handedFrom_(std::move(from))
{
}

FilterForm FilterForm::forSignal(const Signal& signal)
{
    const long double rate = signal.sampleRate();
    return FilterForm(formatText("%.6Lf", rate / powerOfTwoAtLeast(signal.visibleCount())),
                      formatText("%.6Lf", rate / 2));
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
