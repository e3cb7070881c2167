#pragma once
#include <cstdint>
#include <memory>

#include "tree/PendingParameters.h"

class Signal;
class marluneMDIChild;
class marluneMDIClient;

// Builds and recomputes the signals of derived windows by kind, and creates their windows.
class DerivedWindows {
public:
    enum class Outcome {
        Updated,         // the signal changed: pass the update on
        Invalid,         // nothing could be computed: the previous signal stays, the window is marked
        Held,            // nothing to show yet (an average still collecting, a count that no longer fits): stop here quietly
    };

    // The one creation routine: numbers the title with the creation counter (which grows even when
    // the window is discarded), builds the signal from the parent's visible part, sets title, labels,
    // colour and icon, links the window under its parent and registers it. Null when the first
    // computation gave nothing. Missing parameters read as 0, as missing keys of a file do.
    // An extracted part (kind 1) takes the parent view's selection, or two stored fractions.
    static marluneMDIChild* create(marluneMDIClient& client, marluneMDIChild& parent, int32_t kind,
                                   const PendingParameters& parameters = {});

    // Recomputes a derived window from its parent's current signal.
    static Outcome recompute(marluneMDIChild& window);

    // Recomputes a window whose own parameters changed and, when that worked, updates everything
    // below it; a window without parent keeps its signal.
    static void refresh(marluneMDIChild& window);

private:
    static std::unique_ptr<Signal> build(marluneMDIChild& window, marluneMDIChild& parent,
                                         const PendingParameters& parameters);
    static std::unique_ptr<Signal> rebuild(const Signal& previous, const Signal& source);
};
