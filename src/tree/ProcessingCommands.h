#pragma once
#include "base/CommandTable.h"

class marluneMDIChild;

// The commands of a signal window that make windows outside the kinds' own commands (the extract of
// the selection, the Time FFT, the spectrogram and the 3D log), and "Properties..." and "Reset data"
// of the kinds whose table entry has them. Each processed kind's own command is in its entry.
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
