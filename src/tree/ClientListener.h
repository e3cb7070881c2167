#pragma once
// Anything that follows the window registry as a whole.

#include "tree/WindowPlacement.h"

class marluneChild;

// The desktop hosts new windows, the control window redraws the tree.
class ClientListener {
public:
    virtual void childCreated(marluneChild&) {}
    // Links, titles or the set of windows changed.
    virtual void treeChanged() {}
    // Another window (or none) became the active one.
    virtual void activeChanged() {}
    // The list of custom tools changed: the menus that show it are built again.
    virtual void toolsChanged() {}
    // The control window is asked to open (or come to the top) at `placement` (a workspace's).
    virtual void controlWindowRequested(const WindowPlacement&) {}

protected:
    ~ClientListener() = default;
};
