#include "tree/ExtractOdDoForm.h"

#include <cstdlib>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "signal/Signal.h"

ExtractOdDoForm::ExtractOdDoForm(std::string from, std::string to) : fromText(std::move(from)), toText(std::move(to))
{
}

ExtractOdDoForm ExtractOdDoForm::forSignal(const Signal& signal)
{
    ExtractOdDoForm form(formatText("%.6Lf", signal.firstVisibleX()), formatText("%.6Lf", signal.lastVisibleX()));
    // The signal ends at X0 + C / R: its duration counted from its own start, not from 0.
    form.limitTo(signal.xOffset(), signal.xOffset() + signal.count() / signal.sampleRate());
    return form;
}

bool ExtractOdDoForm::accept()
{
    from_ = parseLongDouble(fromText);
    to_ = parseLongDouble(toText);
    if (limits_) {
        const auto [first, last] = *limits_;
        if (from_ < first || from_ > last)
            from_ = first;
        if (to_ < first || to_ > last)
            to_ = last;
    }
    return true;
}
