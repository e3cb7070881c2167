#pragma once
// The modeless "Filter control" of a filter window.
#include <string>

#include "base/DialogForm.h"

class marluneMDIChild;
class marluneMDIClient;

// Each step moves its from or to frequency by sample rate / N and recomputes the window at once. The window
// may close while the dialog is open; the steps then do nothing.
class FilterControlForm : public DialogForm {
public:
    static constexpr std::string_view Name = "FilterControl";

    FilterControlForm(marluneMDIClient& client, marluneMDIChild& window);

    // The filter window is still open.
    bool windowOpen() const;
    // The window's title, for the dialog's caption.
    std::string windowTitle() const;
    // The current frequencies, "%.3Lf".
    std::string fromText() const;
    std::string toText() const;

    // One step up (direction > 0) or down; false when it would leave the limits: from stays at
    // least sample rate / count and below to, to at most half the sample rate and above from.
    bool stepFrom(int direction);
    bool stepTo(int direction);

    std::string_view formName() const override { return Name; }
    // Closing the dialog changes nothing.
    bool accept() override { return true; }

private:
    bool move(bool from, int direction);

    marluneMDIClient& client_;
    marluneMDIChild* window_;
};
