#include "tree/FilterForm.h"

#include <cstdlib>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "dsp/RealTransformPair.h"
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
    parameters_ = {parseLongDouble(fromText), parseLongDouble(toText),
                   (long double)type_};
    return true;
}
