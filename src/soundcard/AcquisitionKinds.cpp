#include "soundcard/AcquisitionKinds.h"

#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "soundcard/AcquisitionSettingsIni.h"
#include "soundcard/marluneSB.h"
#include "tree/ControlDetails.h"
#include "tree/WorkspaceSection.h"

namespace AcquisitionKinds {

WindowKind entry(SoundDevices* devices)
{
    WindowKind kind{
        .kind = SignalKind::Acquisition,
        .icon = marluneSB::Icon,
        .acceptsParent = takesNoParent,
        .controlIcon = 22345,
        .controlDetail = ControlDetails::sampleCount,
        .paneSize = PaneSize{400, 200},
    };
    if (devices)
        // Workspaces make acquisition windows, stopped, from their stored settings.
        kind.load = [devices](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            if (parent)
                return nullptr;
            const long double rate = section.ini.readExtended(section.name, "SampleRate");
            return marluneSB::create(section.client, *devices, readAcquisitionWindow(section.ini, section.name, rate));
        };
    return kind;
}

}  // namespace AcquisitionKinds
