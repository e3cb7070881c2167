#include <cstdlib>
#include <vector>

#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "views/ClipboardBlock.h"

// A block from the clipboard (any program may have put it there), pasted into a signal at every place
// the first byte picks.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const uint32_t at = data[0];
    const std::vector<uint8_t> block(data + 1, data + size);
    const auto values = ClipboardBlock::decode(block);
    if (!values)
        return 0;
    if (4 + 4 * values->size() > block.size())
        std::abort();
    std::vector<float> samples(128, 1.0f);
    Signal signal(nullptr, SignalKind::FileSignal, samples.data(), uint32_t(samples.size()), 1000);
    if (signal.paste(at, *values)) {
        if (at + values->size() > samples.size())
            std::abort();
        static_cast<void>(signal.extremes(0, signal.count()));
    }
    const auto again = ClipboardBlock::decode(ClipboardBlock::encode(values->data(), uint32_t(values->size())));
    if (!again || again->size() != values->size())
        std::abort();
    return 0;
}
