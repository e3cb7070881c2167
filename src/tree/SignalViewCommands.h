#pragma once
#include <optional>

#include "base/CommandTarget.h"

class marluneMDIChild;

// The commands of a signal window that work on what its pane shows: zoom to a power of two,
// the sample clipboard, the selection fills, axes settings, the harmonic ruler and the picture copy.
class SignalViewCommands {
public:
    explicit SignalViewCommands(marluneMDIChild& window) : window_(window) {}

    // None for commands that are not view commands.
    static std::optional<CommandState> commandState(const marluneMDIChild& window, int id);
    bool command(int id);

private:
    static bool hasSelection(const marluneMDIChild& window);
    void zoomToPowerOfTwo();
    void copy();
    void cut();
    void paste();
    void fill(bool withMean);
    void axesSettings();

    marluneMDIChild& window_;
};
