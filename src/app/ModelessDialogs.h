#pragma once
#include "tree/ModelessDialogHost.h"

// Opens the Qt dialog of a modeless form beside the active window.
class ModelessDialogs : public ModelessDialogHost {
public:
    // The one host of the desktop, installed by the dialog registry.
    static ModelessDialogs& desktop();

    void open(std::shared_ptr<DialogForm> form) override;
};
