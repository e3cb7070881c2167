#include "app/CommandRouter.h"

#include <algorithm>

#include "tree/marluneMDIClient.h"

CommandRouter::CommandRouter(marluneMDIClient& client) : client_(client) {}

void CommandRouter::append(CommandTarget& target)
{
    targets_.push_back(&target);
}

void CommandRouter::remove(CommandTarget& target)
{
    std::erase(targets_, &target);
}

CommandState CommandRouter::state(int id) const
{
    if (focus_)
        if (auto state = focus_->commandState(id))
            return *state;
    if (auto state = client_.dispatchState(id))
        return *state;
    for (const CommandTarget* target : targets_)
        if (auto state = target->commandState(id))
            return *state;
    return CommandState{false, false};
}

bool CommandRouter::trigger(int id)
{
    if (!state(id).enabled)
        return false;
    const bool handled = (focus_ && focus_->command(id)) || client_.dispatch(id) ||
                         std::any_of(targets_.begin(), targets_.end(),
                                     [id](CommandTarget* target) { return target->command(id); });
    if (afterCommand)
        afterCommand();
    return handled;
}
