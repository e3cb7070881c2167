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

namespace {
bool stopped(const Playback& playback, const marluneMDIChild& window)
{
    const SignalPlayer* playing = playback.player(window);
    return !playing || playing->stopped();
}
}  // namespace

const CommandRow<Playback, marluneMDIChild> Playback::Rows[] = {
    {Cmd::PlayWithSound,
     [](const Playback& p, const marluneMDIChild& w) {
         return std::optional(CommandState{stopped(p, w) && SignalPlayer::soundPlayable(w)});
     },
     [](Playback& p, marluneMDIChild& w) {
         if (p.playerOf(w).canPlayWithSound())
             p.playerOf(w).playWithSound();
     }},
    {Cmd::PlayNoSound,
     [](const Playback& p, const marluneMDIChild& w) {
         return std::optional(CommandState{stopped(p, w) && SignalPlayer::steppable(w)});
     },
     [](Playback& p, marluneMDIChild& w) {
         if (p.playerOf(w).canPlayWithoutSound())
             p.playerOf(w).playWithoutSound();
     }},
    {Cmd::Stop, [](const Playback& p, const marluneMDIChild& w) { return std::optional(CommandState{!stopped(p, w)}); },
     [](Playback& p, marluneMDIChild& w) {
         if (SignalPlayer* playing = p.player(w))
             playing->stop();
     }},
};

const CommandTable<Playback, marluneMDIChild> Playback::Table{"playback", Rows};

std::optional<CommandState> Playback::commandState(const marluneMDIChild& window, int id) const
{
    return Table.state(*this, id, window);
}

bool Playback::command(marluneMDIChild& window, int id)
{
    return Table.run(*this, id, window);
}

void Playback::childChanged(marluneChild& child, const ChildEvent& event)
{
    if (event.change == ChildChange::Closing)
        players_.erase(&child);
}
