#pragma once
// The acquisition window's kind: made by the sound-card command, or again from a workspace on `devices`.
#include "tree/WindowKind.h"

class SoundDevices;

namespace AcquisitionKinds {
// Without devices a workspace's acquisition windows are not made.
WindowKind entry(SoundDevices* devices);
}  // namespace AcquisitionKinds
