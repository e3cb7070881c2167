#pragma once
// The play and stop commands of every signal window, each window with its own player while it lives.
#include <map>
#include <memory>

#include "base/CommandTable.h"
#include "tree/ChildSubscription.h"
#include "tree/SignalWindowCommands.h"

class SoundDevices;
class SignalPlayer;
class marluneMDIClient;

// "Play signal (with sound)", "Play signal (no sound)" and "Stop playing" of every signal window of
// the client, on the given devices. A window gets its player when it first plays; the player goes
// with the window.
class Playback : public SignalWindowCommands, public ChildListener {
public:
    Playback(marluneMDIClient& client, SoundDevices& devices);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // The window's player, or null when it never played.
    SignalPlayer* player(const marluneMDIChild& window) const;

    std::optional<CommandState> commandState(const marluneMDIChild& window, int id) const override;
    bool command(marluneMDIChild& window, int id) override;
    static const CommandTable<Playback, marluneMDIChild> Table;
    void childChanged(marluneChild& child, const ChildEvent& event) override;

private:
    static const CommandRow<Playback, marluneMDIChild> Rows[];

    // A window's player, and the hold through which the player hears that its window closes.
    struct Played {
        std::unique_ptr<SignalPlayer> player;
        std::unique_ptr<ChildSubscription> hold;
    };

    SignalPlayer& playerOf(marluneMDIChild& window);

    marluneMDIClient& client_;
    SoundDevices& devices_;
    std::map<const marluneChild*, Played> players_;
};
