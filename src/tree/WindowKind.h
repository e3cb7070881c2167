#pragma once
// Everything the tree knows of one kind of derived signal window, in one place.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/Rgb.h"
#include "signal/SignalKind.h"
#include "dsp/SpectralSettings.h"
#include "tree/PendingParameters.h"
#include "tree/WorkspaceSection.h"

class Signal;
class TIniHelper;
class marluneChild;
class marluneMDIChild;
class marluneMDIClient;

// The parents a root window takes: none.
constexpr bool takesNoParent(int32_t) { return false; }

// Asks the person for the parameters before `command` makes a window under each of `parents` (one
// window, or the control window's selection); none when cancelled.
using AskParameters = std::optional<PendingParameters> (*)(int command, std::span<marluneChild* const> parents);

// The size a pane opens with, in pixels.
struct PaneSize {
    int width = 0;
    int height = 0;
};

// What a recomputation of a derived window came to.
enum class RecomputeOutcome {
    Updated,  // the signal changed: pass the update on
    Invalid,  // nothing could be computed: the previous signal stays, the window is marked
    Held,     // nothing to show yet (an average still collecting, a count that no longer fits): stop here quietly
};

// Its look, how it is built from its parent and recomputed, and what its "Properties..." and "Reset data"
// do. The tree's code reads the entry of a window's kind instead of switching on kinds.
struct WindowKind {
    int32_t kind = 0;
    // printf format of the title; by default it takes the creation number and the parent's caption.
    const char* title = nullptr;
    // Null: both axis labels are the parent's; otherwise this X label and an empty Y label.
    const char* xLabel = nullptr;
    // The Y label a new window of the kind gets from its signal (a spectrum's unit); null: as above.
    const char* (*yLabel)(const Signal& signal) = nullptr;
    // Whether the window's X counts seconds, so a long axis may read as a clock; null: as the kind's
    // X label says ("sec"), or without one as the parent's.
    bool (*xInSeconds)(const marluneMDIChild& window) = nullptr;
    // None: the parent's curve colour.
    std::optional<Rgb> colour = std::nullopt;
    int32_t icon = 0;

    // The kinds of window it is derived from; the build and recompute below may rely on it.
    bool (*acceptsParent)(int32_t parentKind) = SignalKind::isSignalWindow;
    // The first signal, from the parent's current data, computed with `spectral` where the kind
    // computes spectra; null or rate 0 when nothing came of it.
    std::unique_ptr<Signal> (*build)(marluneMDIChild& window, marluneChild& parent, const PendingParameters& parameters,
                                     const SpectralSettings& spectral) = nullptr;
    // The title when the format takes more than the number and the caption.
    std::string (*makeTitle)(const WindowKind& kind, unsigned number, const marluneChild& parent,
                             const Signal& signal) = nullptr;
    // Recomputes the window's signal from its parent's current data.
    RecomputeOutcome (*recompute)(marluneMDIChild& window, marluneChild& parent) = nullptr;
    // True while the next update will not be passed on, so the window is left out of the counting pass.
    bool (*holdsNextUpdate)(const Signal& signal) = nullptr;
    // "Properties..." of the window; null when the kind has none.
    void (*properties)(marluneMDIChild& window) = nullptr;
    // Whether this window offers its properties now; null: always, when the kind has them.
    bool (*offersProperties)(const marluneMDIChild& window) = nullptr;
    // "Reset data": starts the accumulation again; null when the kind accumulates nothing.
    void (*reset)(marluneMDIChild& window) = nullptr;

    // The command of a parent window that makes a window of this kind; 0 when no command does.
    int command = 0;
    // A second command that makes the kind, its dialog set up otherwise (Spectrogram makes a Time FFT
    // that opens as the spectrogram); `askParameters` is told which of the two it asks for.
    int secondCommand = 0;
    AskParameters askParameters = nullptr;
    // Both commands, 0 where there is none.
    std::array<int, 2> commands() const { return {command, secondCommand}; }
    bool madeBy(int id) const { return id != 0 && (id == command || id == secondCommand); }
    // A window that is not a signal window (an instrument): made with its title, settings and first
    // result, linked under its parent; the creation routine numbers and registers it.
    std::unique_ptr<marluneChild> (*makeWindow)(const WindowKind& kind, marluneMDIClient& client, marluneChild& parent,
                                                const PendingParameters& parameters, unsigned number) = nullptr;
    // A window whose making may be cancelled or fail part way (a 3D window over its threads): makes,
    // numbers and registers it under `parent`, in place of `makeWindow`; null when nothing was made.
    marluneChild* (*createWindow)(marluneMDIClient& client, marluneChild& parent, const PendingParameters& parameters) =
        nullptr;

    // Workspace and tool files. The keys of the kind, after those every signal window writes.
    void (*saveKeys)(const marluneMDIChild& window, TIniHelper& ini, const std::string& section) = nullptr;
    // The kind's keys read back into the parameter block of the creation routine.
    PendingParameters (*readParameters)(const TIniHelper& ini, const std::string& section) = nullptr;
    // The spectral settings the window computes with: written as the "FFT_" keys, and those it is made
    // with again from a workspace. Null for kinds without.
    const SpectralSettings* (*spectral)(const marluneChild& window) = nullptr;
    // Makes the window again where the creation routine cannot (no parent, several parents, a window
    // above the tree); null when it could not be made.
    std::function<marluneChild*(const WorkspaceSection& section, marluneChild* parent)> load = nullptr;

    // The control window: the picture drawn for the window there (0: the window's `icon`), and the
    // detail its label shows after the window's number (none: nothing).
    int32_t controlIcon = 0;
    std::string (*controlDetail)(const marluneChild& window) = nullptr;
    // The signal pane's menu offers the harmonic ruler (spectra).
    bool harmonicRuler = false;
    // "Replace signal..." reads another file into the window.
    bool replaceable = false;
    // The control window draws the lines from the window's parents in the colours of their curves
    // (an overlay in one system); otherwise all in the first.
    bool linesInCurveColours = false;
    // The size its pane opens with; none: that of its pane family.
    std::optional<PaneSize> paneSize = std::nullopt;
};
