#include "soundcard/AcquisitionCommands.h"

#include "soundcard/AQForm.h"
#include "soundcard/CalibrationForm.h"
#include "soundcard/marluneSB.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

AcquisitionCommands::AcquisitionCommands(marluneMDIClient& client, SoundDevices& devices, AcquisitionSettings& settings)
    : client_(client), devices_(devices), settings_(settings)
{
    client_.addCommands(*this);
}

AcquisitionCommands::~AcquisitionCommands()
{
    client_.removeCommands(*this);
}

std::optional<CommandState> AcquisitionCommands::commandState(int id) const
{
    if (id == Cmd::AcquisitionSettings || id == Cmd::Calibration)
        return CommandState{};
    return std::nullopt;
}

bool AcquisitionCommands::command(int id)
{
    switch (id) {
    case Cmd::AcquisitionSettings:
        if (AQForm::run(client_.ui(), devices_, client_.paths(), settings_))
            marluneSB::create(client_, devices_, settings_);
        return true;
    case Cmd::Calibration:
        CalibrationForm::run(client_.ui(), devices_, client_.paths(), settings_.calibrationFile);
        return true;
    default:
        return false;
    }
}
