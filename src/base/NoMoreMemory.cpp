#include "base/NoMoreMemory.h"

#include "base/UiServices.h"

namespace {
bool showing = false;

// Clears the flag however the box ends.
struct Showing {
    Showing() { showing = true; }
    ~Showing() { showing = false; }
};
}  // namespace

void showNoMoreMemory(UiServices& ui)
{
    if (showing) {
        ui.beep();
        return;
    }
    const Showing box;
    ui.messageBox(NoMoreMemoryText);
}
