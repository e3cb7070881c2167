#pragma once
#include <optional>

#include "base/CommandTarget.h"

class marluneMDIChild;

// The commands of a signal window that derive processed windows from it (spectrum, filter, smoothing,
// trend and peak removal, cepstrum, averager, peak hold, the two extracts), and "Properties..." and
// "Reset data" of the kinds whose table entry has them.
class ProcessingCommands {
public:
    explicit ProcessingCommands(marluneMDIChild& window) : window_(window) {}

    // None for commands that are not processing commands.
    static std::optional<CommandState> commandState(const marluneMDIChild& window, int id);
    bool command(int id);

private:
    void derive(int kind);
    void filter();
    void smoothing();
    void removePeaks();
    void extractSelection();
    void extractFromTo();
    void timeFFT(bool spectrogram);
    void signalLog3D();

    marluneMDIChild& window_;
};
