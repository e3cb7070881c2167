#include "settings/SmoothingForm.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "base/NumberText.h"
#include "base/UiServices.h"

SmoothingForm::SmoothingForm(UiServices& ui, long double type, long double length)
    : length(std::to_string((long long)length)), ui_(ui), type_(type), length_(length)
{
    // A type out of range (from a file) selects the first entry rather than none.
    const long long index = (long long)type;
    window = index >= 0 && index < int(WindowNames.size()) ? int(index) : 0;
}

bool SmoothingForm::accept()
{
    const long double value = parseLongDouble(length);
    if (!(value > 0)) {
        ui_.messageBox("Length must be positive value!", "Marlune");
        return false;
    }
    type_ = window;
    // Kept as a 32-bit length; any length from the signal's on smooths alike (not at all).
    length_ = std::min(value, (long double)std::numeric_limits<int32_t>::max());
    return true;
}
