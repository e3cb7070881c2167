#pragma once
// The commands of a signal window that work on what its pane shows.
#include <optional>

#include "base/CommandTable.h"

class marluneMDIChild;

// Zoom to a power of two, the sample clipboard, the selection fills, axes settings, the harmonic ruler, the
// picture copy and "Overlay with" another signal window.
class SignalViewCommands {
public:
    static const CommandTable<marluneMDIChild> Table;
    // "Overlay with" another signal window: command 12800 + its index. None / false for other numbers.
    static std::optional<CommandState> overlayWithState(const marluneMDIChild& window, int id);
    static bool overlayWith(marluneMDIChild& window, int id);

    // The extras of the pane's menu, from the window's kind: the harmonic ruler, "Reset data".
    static bool offersHarmonicRuler(const marluneMDIChild& window);
    static bool offersReset(const marluneMDIChild& window);

private:
    static const CommandRow<marluneMDIChild> Rows[];

    explicit SignalViewCommands(marluneMDIChild& window) : window_(window) {}
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
