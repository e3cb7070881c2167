#pragma once
// The value log of an instrument (kind 9, "Log instrument values...").
#include "tree/WindowKind.h"

// One value per update of the instrument, up to the length the person gives; it starts as a flat line at
// the current value.
namespace ValueLog {
const WindowKind& kind();
}
