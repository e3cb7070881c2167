#pragma once
// The entries of the Time FFT (151) and 3D signal log (153) windows in the table of kinds.
#include <span>

#include "tree/WindowKind.h"

// How a workspace makes them again under their parent. Their commands stay with the signal window.
std::span<const WindowKind> threeDKinds();
