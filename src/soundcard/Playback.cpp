#include "soundcard/Playback.h"

#include "soundcard/SignalPlayer.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

Playback::Playback(marluneMDIClient& client, SoundDevices& devices) : client_(client), devices_(devices)
{
    client_.addSignalWindowCommands(*this);
}

Playback::~Playback()
{
    client_.removeSignalWindowCommands(*this);
}

SignalPlayer* Playback::player(const marluneMDIChild& window) const
{
    const auto found = players_.find(&window);
    return found == players_.end() ? nullptr : found->second.player.get();
}

SignalPlayer& Playback::playerOf(marluneMDIChild& window)
{
    Played& played = players_[&window];
    if (!played.player) {
        played.player = std::make_unique<SignalPlayer>(window, devices_);
        played.hold = std::make_unique<ChildSubscription>(window, *this);
    }
    return *played.player;
}

std::optional<CommandState> Playback::commandState(const marluneMDIChild& window, int id) const
{
    const SignalPlayer* playing = player(window);
    const bool stopped = !playing || playing->stopped();
    switch (id) {
    case Cmd::PlayWithSound:
        return CommandState{stopped && SignalPlayer::soundPlayable(window)};
    case Cmd::PlayNoSound:
        return CommandState{stopped && SignalPlayer::steppable(window)};
    case Cmd::Stop:
        return CommandState{!stopped};
    default:
        return std::nullopt;
    }
}

bool Playback::command(marluneMDIChild& window, int id)
{
    switch (id) {
    case Cmd::PlayWithSound:
        if (playerOf(window).canPlayWithSound())
            playerOf(window).playWithSound();
        return true;
    case Cmd::PlayNoSound:
        if (playerOf(window).canPlayWithoutSound())
            playerOf(window).playWithoutSound();
        return true;
    case Cmd::Stop:
        if (SignalPlayer* playing = player(window))
            playing->stop();
        return true;
    default:
        return false;
    }
}

void Playback::childChanged(marluneChild& child, const ChildEvent& event)
{
    if (event.change == ChildChange::Closing)
        players_.erase(&child);
}
