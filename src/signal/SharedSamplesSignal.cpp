#include "signal/SharedSamplesSignal.h"

SharedSamplesSignal::SharedSamplesSignal(SignalOwner* owner, std::shared_ptr<Signal> source)
    : Signal(owner, source->kind()), source_(std::move(source))
{
    adoptExternalSamples(source_->samples(), source_->count());
    setSampleRate(source_->sampleRate());
    setXOffset(source_->xOffset());
    updateYRange();
}
