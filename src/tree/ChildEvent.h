#pragma once
// What changed in a tree window, as the panes, the control window and other listeners hear it.
#include <cstdint>

class marluneChild;

// Changes of the window's data and state only; what the window asks of the desktop is a DesktopRequest.
enum class ChildChange {
    Repaint,   // the picture must be drawn again
    Scrolled,  // live data moved the samples by `shift` (negative: towards the start); then Repaint
    Caption,   // the title changed
    Samples,   // the samples or the visible part changed: whatever was marked by pixels marks others now
    Marks,     // the selection, the paste position or the harmonic ruler changed
    Closing,   // the window is about to be destroyed: drop every pointer to it
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
