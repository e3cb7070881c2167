#include "tree/GenSigForm.h"

#include <cctype>
#include <cmath>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"

namespace {
std::string shown(long double value)
{
    return formatText("%.4Lf", value);
}
}  // namespace

GenSigForm::GenSigForm(UiServices& ui, const GeneratorParameters& current) : ui_(ui), result_(current)
{
    for (int f = 0; f < FieldCount; ++f)
        fields[f] = shown(current.param[f]);
    const long double index = current.param[6];
    function = index >= 0 && index < GeneratorParameters::FunctionCount ? int(index) : 0;
}

std::optional<long double> GenSigForm::number(Field field) const
{
    const char* text = fields[field].c_str();
    char* end = nullptr;
    const long double value = parseLongDouble(text, &end);
    if (end == text)
        return std::nullopt;
    while (std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void GenSigForm::rewrite(Field field, long double value)
{
    if (!std::isfinite(value))
        return;
    echoGuard_ = true;
    fields[field] = shown(value);
    if (showFields)
        showFields();
    echoGuard_ = false;
}

void GenSigForm::edited(Field field)
{
    if (echoGuard_)
        return;
    const auto rate = number(SampleRate);
    const auto seconds = number(Seconds);
    const auto samples = number(Samples);
    // A field that holds no number yet (the person is still typing) gives nothing to compute from.
    switch (field) {
    case Seconds:
        if (rate && seconds && *rate != 0)
            rewrite(Samples, *rate * *seconds);
        else if (rate && seconds && samples)
            rewrite(SampleRate, *samples / *seconds);
        break;
    case Samples:
        if (rate && samples && *rate != 0)
            rewrite(Seconds, *samples / *rate);
        else if (rate && seconds && samples)
            rewrite(SampleRate, *samples / *seconds);
        break;
    case SampleRate:
        if (rate && seconds && *seconds != 0)
            rewrite(Samples, std::floor(*seconds * *rate));
        else if (rate && seconds && samples)
            rewrite(Seconds, *samples / *rate);
        break;
    default:
        break;
    }
}

bool GenSigForm::enabled(Field field) const
{
    switch (function) {
    case GeneratorParameters::Sin:
    case GeneratorParameters::Cos:
    case GeneratorParameters::Step:
        return true;
    case GeneratorParameters::Random:
        return field != Frequency;
    case GeneratorParameters::Const:
        return field != Frequency && field != Maximum;
    default:
        return field == Samples;
    }
}

bool GenSigForm::accept()
{
    GeneratorParameters chosen = result_;
    bool numbers = true;
    for (int f = 0; f < FieldCount; ++f) {
        const auto value = number(Field(f));
        numbers = numbers && value;
        chosen.param[f] = value.value_or(0);
    }
    chosen.param[6] = function;
    if (!numbers || !chosen.usable()) {
        ui_.messageBox(RefusedMessage);
        return false;
    }
    result_ = chosen;
    return true;
}
