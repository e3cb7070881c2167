#include "tree/FilterForm.h"

#include <algorithm>
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

FilterForm FilterForm::forSignals(const std::vector<const Signal*>& shown)
{
    long double from = 0;
    long double to = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const long double rate = shown[i]->sampleRate();
        const long double lowest = rate / powerOfTwoAtLeast(shown[i]->visibleCount());
        from = i == 0 ? lowest : std::max(from, lowest);
        to = i == 0 ? rate / 2 : std::min(to, rate / 2);
    }
    return FilterForm(formatText("%.5Lf", from), formatText("%.5Lf", to));
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
