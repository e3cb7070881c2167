#pragma once
// What a tree window asks of the desktop that shows it, apart from what changed in the window itself.

class marluneChild;

enum class DesktopRequest {
    Raise,        // come to the top of the others
    Place,        // move to placement()
    Visibility,   // hide or show as visible() tells
    Flash,        // draw attention to the window, or stop, as flashing() tells
    CopyPicture,  // put the window's picture on the clipboard
};

// Whatever shows a tree window on the desktop. The core never waits for a listener.
class DesktopListener {
public:
    virtual void desktopRequested(marluneChild& child, DesktopRequest request) = 0;

protected:
    ~DesktopListener() = default;
};
