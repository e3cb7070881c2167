#pragma once
// A record that shows the samples of another record, kept alive by it, so a second tree can read them uncopied.
#include <memory>

#include "signal/Signal.h"

// The source's samples, rate and X offset, the whole of it visible. The samples are the source's own:
// whoever holds this record must not write them while the source is read elsewhere.
class SharedSamplesSignal : public Signal {
public:
    SharedSamplesSignal(SignalOwner* owner, std::shared_ptr<Signal> source);

    const Signal& source() const { return *source_; }

private:
    std::shared_ptr<Signal> source_;
};
