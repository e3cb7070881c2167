#include "fileio/SampleRateForm.h"

#include <cmath>
#include <cstdlib>

bool SampleRateForm::accept()
{
    const long double value = std::strtold(text.substr(0, MaxLength).c_str(), nullptr);
    // An infinite rate would put every sample at the same time.
    if (!(value > 0) || !std::isfinite(value))
        return false;
    rate = value;
    return true;
}
