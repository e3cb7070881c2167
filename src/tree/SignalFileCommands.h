#pragma once
#include <optional>

#include "base/CommandTarget.h"

class marluneMDIChild;

// The file commands of a signal window: save, save as, export as ASCII and replace signal.
class SignalFileCommands {
public:
    explicit SignalFileCommands(marluneMDIChild& window) : window_(window) {}

    // None for commands that are not file commands.
    static std::optional<CommandState> commandState(const marluneMDIChild& window, int id);
    bool command(int id);

private:
    void save();
    void saveAs();
    void exportAscii();
    void replaceSignal();

    marluneMDIChild& window_;
};
