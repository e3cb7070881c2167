#include "signal/RemovePeaksSignal.h"

#include "dsp/SpectrumConditioning.h"
#include "signal/SignalKind.h"
#include "signal/VisiblePart.h"

RemovePeaksSignal::RemovePeaksSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent,
                                     float k)
    : Signal(owner, SignalKind::PeaksRemoved, std::move(block), parent.visibleCount(), parent.sampleRate(),
             parent.firstVisibleX()),
      coefficient(k)
{
}

std::unique_ptr<Signal> RemovePeaksSignal::create(SignalOwner* owner, const Signal& parent, float coefficient)
{
    if (parent.visibleCount() == 0 || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::PeaksRemoved);
    auto block = copyVisible(parent);
    removePeaks(block.get(), parent.visibleCount(), coefficient);
    return std::unique_ptr<Signal>(new RemovePeaksSignal(owner, std::move(block), parent, coefficient));
}
