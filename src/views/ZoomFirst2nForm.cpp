#include "views/ZoomFirst2nForm.h"

#include "base/FormatText.h"

ZoomFirst2nForm::ZoomFirst2nForm(uint32_t visibleCount)
{
    for (unsigned k = 4; (uint64_t(1) << k) < visibleCount; ++k) {
        const uint32_t length = uint32_t(1) << k;
        entries_.push_back(formatText("%lu (2^%u)", static_cast<unsigned long>(length), k));
        lengths_.push_back(length);
    }
    chosen = int(entries_.size()) - 1;
}

bool ZoomFirst2nForm::accept()
{
    return chosen >= 0 && std::size_t(chosen) < lengths_.size();
}
