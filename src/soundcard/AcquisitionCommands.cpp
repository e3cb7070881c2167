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

const CommandRow<AcquisitionCommands> AcquisitionCommands::Rows[] = {
    {Cmd::AcquisitionSettings, nullptr,
     [](AcquisitionCommands& c) {
         if (AQForm::run(c.client_.ui(), c.devices_, c.client_.paths(), c.settings_))
             marluneSB::create(c.client_, c.devices_, c.settings_);
     }},
    {Cmd::Calibration, nullptr,
     [](AcquisitionCommands& c) {
         CalibrationForm::run(c.client_.ui(), c.devices_, c.client_.paths(), c.settings_.calibrationFile);
     }},
};

const CommandTable<AcquisitionCommands> AcquisitionCommands::Table{"sound card", Rows};

std::optional<CommandState> AcquisitionCommands::commandState(int id) const
{
    return Table.state(*this, id);
}

bool AcquisitionCommands::command(int id)
{
    return Table.run(*this, id);
}
