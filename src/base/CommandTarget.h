#pragma once
// One link of the command chain (active window, client, frame, application).
#include <optional>

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// A target that does not know a command returns nullopt / false and the chain goes on.
class CommandTarget {
public:
    virtual std::optional<CommandState> commandState(int id) const = 0;
    virtual bool command(int id) = 0;

protected:
    ~CommandTarget() = default;
};
