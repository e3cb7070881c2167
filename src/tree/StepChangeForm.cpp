#include "tree/StepChangeForm.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
std::string formatSeconds(long double seconds)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.5Lf", seconds);
    return buffer;
}
}  // namespace

StepChangeForm::StepChangeForm(uint32_t step, long double sampleRate) : sampleRate_(sampleRate), step_(step)
{
    samplesText = std::to_string(step);
    secondsText = formatSeconds(step / sampleRate);
}

void StepChangeForm::samplesEdited()
{
    secondsText = formatSeconds(std::strtoul(samplesText.c_str(), nullptr, 10) / sampleRate_);
}

void StepChangeForm::secondsEdited()
{
    const long double samples = std::floor(std::strtold(secondsText.c_str(), nullptr) * sampleRate_ + 0.5L);
    samplesText = std::to_string(static_cast<long long>(samples));
}

bool StepChangeForm::accept()
{
    char* end = nullptr;
    const long long value = std::strtoll(samplesText.c_str(), &end, 10);
    if (end == samplesText.c_str() || value < 1 || value > 65534)
        return false;
    step_ = static_cast<uint32_t>(value);
    return true;
}
