#pragma once
// Commands of every signal window that a folder above the tree carries out (playback, for example).
#include <optional>

#include "base/CommandTarget.h"

class marluneMDIChild;

// It registers itself with the client; a window asks the registered handlers for commands it does not know.
class SignalWindowCommands {
public:
    virtual std::optional<CommandState> commandState(const marluneMDIChild& window, int id) const = 0;
    virtual bool command(marluneMDIChild& window, int id) = 0;

protected:
    ~SignalWindowCommands() = default;
};
