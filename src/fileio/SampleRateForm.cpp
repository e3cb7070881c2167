#include "fileio/SampleRateForm.h"

#include <cstdlib>

bool SampleRateForm::accept()
{
    const long double value = std::strtold(text.substr(0, MaxLength).c_str(), nullptr);
    if (!(value > 0))
        return false;
    rate = value;
    return true;
}
