#pragma once
// The derived one-dimensional windows.
#include <span>

#include "tree/WindowKind.h"

// Those of the processing commands (spectrum, filter, cepstrum, smoothing, detrend, peak removal, averager,
// peak hold, the two extracts) and the X and Y rulers of a 3D window.
std::span<const WindowKind> derivedSignalKinds();
