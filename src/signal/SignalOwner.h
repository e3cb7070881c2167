#pragma once
// What a signal record needs to know about the window that owns it.

class Signal;

class SignalOwner {
public:
    // The window keeps its Y range when its signal is recomputed.
    virtual bool fixedMinMax() const = 0;
    // The signal the window currently shows; a freshly computed replacement is not it yet.
    virtual const Signal* currentSignal() const = 0;
    // Acquisition only: 1 for one channel, 2 for a pair of channels.
    virtual int channelMode() const { return 1; }
    // Acquisition only: the paged buffer was filled to its last page.
    virtual void recordingComplete() {}

protected:
    ~SignalOwner() = default;
};
