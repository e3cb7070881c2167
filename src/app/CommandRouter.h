#pragma once
// The one road of every menu, accelerator and control-bar command.
#include <functional>
#include <vector>

#include "base/CommandTarget.h"

class marluneMDIClient;

// A command goes to the active window (or the control window's drawing area) and the client (through the
// client's dispatch), then the frame, then the application. A command that no link knows is disabled.
class CommandRouter {
public:
    explicit CommandRouter(marluneMDIClient& client);

    // The control window's drawing area while it is the active window: asked before the client.
    void setFocusTarget(CommandTarget* target) { focus_ = target; }
    // Links after the client, asked in the order they were added.
    void append(CommandTarget& target);
    void remove(CommandTarget& target);

    CommandState state(int id) const;
    // Carries the command out as a menu would; false when it is disabled or nobody handled it.
    bool trigger(int id);

    // Called after every command, so menus and the control bar can refresh their states.
    std::function<void()> afterCommand;

private:
    marluneMDIClient& client_;
    CommandTarget* focus_ = nullptr;
    std::vector<CommandTarget*> targets_;
};
