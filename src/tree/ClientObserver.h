#pragma once

class marluneChild;

// The desktop side of the window registry: hosts new windows and mirrors closes.
class ClientObserver {
public:
    virtual void childCreated(marluneChild& child) = 0;
    // Tree links or titles changed: the control window redraws.
    virtual void treeChanged() = 0;

protected:
    ~ClientObserver() = default;
};
