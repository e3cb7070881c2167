#pragma once
// The second channel of a stereo acquisition.
#include "tree/marluneMDIChild.h"

class marluneSB;

// START and STOP, and their enabling, are its acquisition window's while that window exists.
class marluneSter : public marluneMDIChild {
public:
    static constexpr const char* TitleFormat = " %u# Sound card monitor - 2";

    marluneSter(marluneSB& acquisition, std::unique_ptr<Signal> signal);
    ~marluneSter() override;

    // Null once the acquisition window was closed.
    marluneSB* acquisition() const { return acquisition_; }

    int channelMode() const override { return 2; }
    void recordingComplete() override;

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;

private:
    friend class marluneSB;

    marluneSB* acquisition_;
};
