#include "signal/VisiblePart.h"

#include <algorithm>

std::unique_ptr<float[]> copySamples(const Signal& source, uint32_t first, uint32_t count)
{
    auto block = Signal::allocateSamples(count);
    std::copy_n(source.samples() + first, count, block.get());
    return block;
}
