#pragma once
// The commands of a signal window that derive processed windows from it.
#include "base/CommandTable.h"

class marluneMDIChild;

// Spectrum, filter, smoothing, trend and peak removal, cepstrum, averager, peak hold, the two extracts; and
// "Properties..." and "Reset data" of the kinds whose table entry has them.
class ProcessingCommands {
public:
    static const CommandTable<marluneMDIChild> Table;

private:
    static const CommandRow<marluneMDIChild> Rows[];

    explicit ProcessingCommands(marluneMDIChild& window) : window_(window) {}
    void extractSelection();
    void timeFFT(bool spectrogram);
    void signalLog3D();

    marluneMDIChild& window_;
};
