#pragma once
#include <optional>

#include "tree/CommandTarget.h"

class marluneMDIChild;

// The commands of a signal window that derive processed windows from it (spectrum, filter, smoothing,
// trend and peak removal, cepstrum, averager, peak hold, the two extracts), the properties of
// spectrum, filter and smoothed windows, and "Reset data" of averagers and peak holds.
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
    void filterControl();
    void spectrumProperties();
    void smoothingProperties();
    void resetData();

    marluneMDIChild& window_;
};
