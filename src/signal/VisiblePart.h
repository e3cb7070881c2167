#pragma once
// Copies of a signal's samples: a range by absolute index, or the visible part.
#include <memory>

#include "signal/Signal.h"

// A new sample block holding `count` samples of `source` from absolute index `first`.
std::unique_ptr<float[]> copySamples(const Signal& source, uint32_t first, uint32_t count);

// A new sample block holding the visible samples of `source`.
inline std::unique_ptr<float[]> copyVisible(const Signal& source)
{
    return copySamples(source, source.firstVisible(), source.visibleCount());
}
