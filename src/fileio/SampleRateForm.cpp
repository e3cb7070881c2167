#include "fileio/SampleRateForm.h"

#include "base/NumberText.h"
#include "fileio/FileReadResult.h"

bool SampleRateForm::accept()
{
    const long double value = parseLongDouble(text.substr(0, MaxLength));
    // An infinite rate would put every sample at the same time, a vanishing one at infinite spacing.
    if (!isUsableSampleRate(value))
        return false;
    rate = value;
    return true;
}
