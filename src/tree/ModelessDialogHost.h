#pragma once
#include <memory>

class DialogForm;

// Where commands open dialogs that stay open beside the windows and act while open (modeless).
// The desktop installs one for the program's run; without one such a command only beeps.
class ModelessDialogHost {
public:
    // Shows the form's dialog and returns at once; the dialog keeps the form while it is open.
    virtual void open(std::shared_ptr<DialogForm> form) = 0;

    static ModelessDialogHost* installed();
    // Null uninstalls.
    static void install(ModelessDialogHost* host);

protected:
    ~ModelessDialogHost() = default;
};
