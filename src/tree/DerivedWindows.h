#pragma once
// Creates, recomputes and refreshes derived signal windows through the table of window kinds.
#include <cstdint>

#include "tree/PendingParameters.h"
#include "tree/WindowKind.h"

class marluneChild;
class marluneMDIChild;
class marluneMDIClient;

class DerivedWindows {
public:
    // The one creation routine: numbers the title with the creation counter (which grows even when
    // the window is discarded), builds the signal from the parent's visible part, sets title, labels,
    // colour and icon, links the window under its parent and registers it. Null when the kind has no
    // entry or the first computation gave nothing. Missing parameters read as 0, as missing keys of a
    // file do. An extracted part (kind 1) takes the parent view's selection, or two stored fractions.
    // Spectra are computed with `spectral`, or with the application's settings when it is null.
    static marluneMDIChild* create(marluneMDIClient& client, marluneChild& parent, int32_t kind,
                                   const PendingParameters& parameters = {}, const SpectralSettings* spectral = nullptr);
    // Any derived kind of the table: a signal window as create() makes it, any other window by its
    // entry's createWindow or makeWindow, numbered the same way. Null when the kind has no entry or does not take
    // this parent.
    static marluneChild* createChild(marluneMDIClient& client, marluneChild& parent, int32_t kind,
                                     const PendingParameters& parameters = {},
                                     const SpectralSettings* spectral = nullptr);
    // The command of `parent` that makes the kind of `entry`: asks for the parameters when the
    // kind needs any (Cancel makes nothing), then makes the window.
    static marluneChild* createByCommand(marluneChild& parent, const WindowKind& entry, int command);

    // Recomputes a derived window from its parent's current data; a parent of a kind the entry does
    // not accept gives nothing to compute from.
    static RecomputeOutcome recompute(marluneMDIChild& window);

    // Recomputes a window whose own parameters changed and, when that worked, updates everything
    // below it; a window without parent keeps its signal.
    static void refresh(marluneMDIChild& window);
};
