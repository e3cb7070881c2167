#include "signal/DeTrendedSignal.h"

#include "dsp/SpectrumConditioning.h"
#include "signal/SignalKind.h"
#include "signal/VisiblePart.h"

DeTrendedSignal::DeTrendedSignal(SignalOwner* owner, std::unique_ptr<float[]> block, const Signal& parent)
    : Signal(owner, SignalKind::Detrended, std::move(block), parent.visibleCount(), parent.sampleRate(),
             parent.firstVisibleX())
{
}

std::unique_ptr<Signal> DeTrendedSignal::create(SignalOwner* owner, const Signal& parent)
{
    if (parent.visibleCount() == 0 || parent.sampleRate() <= 0)
        return std::make_unique<Signal>(owner, SignalKind::Detrended);
    auto block = copyVisible(parent);
    removeLinearTrend(block.get(), parent.visibleCount());
    return std::unique_ptr<Signal>(new DeTrendedSignal(owner, std::move(block), parent));
}
