#pragma once
// Calls fly(k, m) for the first input k of every butterfly, m being its twiddle position.
#include <cstddef>

#include "dsp/FftPasses.h"

namespace {

// Blocks run outermost so that each sweep walks the data once, front to back, however large it is.
template <typename Fly>
inline void forEachButterfly(const FftPassSpan& g, std::ptrdiff_t firstPosition, Fly&& fly)
{
    const std::ptrdiff_t positions = g.positions();
    for (std::ptrdiff_t block = 0; block < g.nt; block += g.kspnn)
        for (std::ptrdiff_t m = firstPosition; m < positions; ++m)
            for (std::ptrdiff_t k = block + m * g.jc; k < block + (m + 1) * g.jc; k += g.inc)
                fly(k, m);
}

}  // namespace
