#pragma once
#include <optional>

#include "base/CommandTarget.h"

class marluneMDIChild;

// The commands of a signal window that work on what its pane shows: zoom to a power of two,
// the sample clipboard, the selection fills, axes settings, the harmonic ruler, the picture copy and
// "Overlay with" another signal window.
class SignalViewCommands {
public:
    explicit SignalViewCommands(marluneMDIChild& window) : window_(window) {}

    // None for commands that are not view commands.
    static std::optional<CommandState> commandState(const marluneMDIChild& window, int id);
    bool command(int id);

private:
    static bool hasSelection(const marluneMDIChild& window);
    // The other signal window of "Overlay with" (command 12800 + its index), or null.
    static marluneMDIChild* overlayPartner(const marluneMDIChild& window, int id);
    void zoomToPowerOfTwo();
    void copy();
    void cut();
    void paste();
    void fill(bool withMean);
    void axesSettings();

    marluneMDIChild& window_;
};
