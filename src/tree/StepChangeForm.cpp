#include "tree/StepChangeForm.h"

#include <cmath>
#include <cstdlib>

#include "base/FormatText.h"
#include "base/NumberText.h"

StepChangeForm::StepChangeForm(uint32_t step, long double sampleRate) : sampleRate_(sampleRate), step_(step)
{
    samplesText = std::to_string(step);
    secondsText = formatText("%.5Lf", step / sampleRate);
}

void StepChangeForm::samplesEdited()
{
    secondsText = formatText("%.5Lf", std::strtoul(samplesText.c_str(), nullptr, 10) / sampleRate_);
}

void StepChangeForm::secondsEdited()
{
    const long double samples = std::floor(parseLongDouble(secondsText) * sampleRate_ + 0.5L);
    samplesText = std::to_string(static_cast<long long>(samples));
}

bool StepChangeForm::accept()
{
    char* end = nullptr;
    const long long value = parseLongLong(samplesText.c_str(), &end);
    if (end == samplesText.c_str() || value < 1 || value > 65534)
        return false;
    step_ = static_cast<uint32_t>(value);
    return true;
}
