#include "tree/XAxisUnit.h"

#include <cstring>

#include "tree/WindowKind.h"
#include "tree/marluneMDIChild.h"

bool XAxisUnit::seconds(const marluneMDIChild& window)
{
    const WindowKind* entry = window.kindEntry();
    if (entry && entry->xInSeconds)
        return entry->xInSeconds(window);
    // A kind's own X title says what its X is ("Hz" of a spectrum, "sec" of a cepstrum, "sample" of a
    // log); without one the window's X is its parent's.
    if (entry && entry->xLabel)
        return std::strcmp(entry->xLabel, "sec") == 0;
    const marluneMDIChild* parent = signalWindowOf(window.parent());
    return parent ? seconds(*parent) : true;
}
