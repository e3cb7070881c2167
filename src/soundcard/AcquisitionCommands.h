#pragma once
// The client's sound-card commands.
#include <string>

#include "base/CommandTable.h"

struct AcquisitionSettings;
class SoundDevices;
class marluneMDIClient;

// "Sound card data acquisition..." edits the application-wide settings and makes an acquisition window from
// them; "Sound card calibration..." runs the calibration dialog on the settings' calibration file.
class AcquisitionCommands : public CommandTarget {
public:
    AcquisitionCommands(marluneMDIClient& client, SoundDevices& devices, AcquisitionSettings& settings);
    ~AcquisitionCommands();
    AcquisitionCommands(const AcquisitionCommands&) = delete;
    AcquisitionCommands& operator=(const AcquisitionCommands&) = delete;

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<AcquisitionCommands> Table;

private:
    static const CommandRow<AcquisitionCommands> Rows[];
    marluneMDIClient& client_;
    SoundDevices& devices_;
    AcquisitionSettings& settings_;
};
