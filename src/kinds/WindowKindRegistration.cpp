#include "kinds/WindowKindRegistration.h"

#include "instruments/InstrumentKinds.h"
#include "soundcard/AcquisitionKinds.h"
#include "tree/marluneMDIClient.h"

void registerWindowKinds(marluneMDIClient& client, SoundDevices* devices)
{
    InstrumentKinds::addTo(client.kinds());
    client.kinds().add(AcquisitionKinds::entry(devices));
}
