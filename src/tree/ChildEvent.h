#pragma once
#include <cstdint>

class marluneChild;

// What changed in a tree window, as the panes, the control window and other listeners hear it.
enum class ChildChange {
    Repaint,      // the picture must be drawn again
    Scrolled,     // live data moved the samples by `shift` (negative: towards the start); then Repaint
    Caption,      // the title changed
    Samples,      // the samples or the visible part changed: whatever was marked by pixels marks others now
    Marks,        // the selection, the paste position or the harmonic ruler changed
    CopyPicture,  // the person asked for the window's picture on the clipboard
    Closing,      // the window is about to be destroyed: drop every pointer to it
    Flash,        // the window draws attention to itself (shift 1) or stops (shift 0)
    Placement,    // the window must move to placement()
    Visibility,   // the window was hidden or shown
    Raise,        // the window must come to the top of the others
};

struct ChildEvent {
    ChildChange change;
    int32_t shift = 0;
};

// Anything that follows a tree window. The core never waits for a listener.
class ChildListener {
public:
    virtual void childChanged(marluneChild& child, const ChildEvent& event) = 0;

protected:
    ~ChildListener() = default;
};
