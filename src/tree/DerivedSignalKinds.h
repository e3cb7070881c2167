#pragma once
#include <span>

#include "tree/WindowKind.h"

// The derived one-dimensional windows of the processing commands: spectrum, filter, cepstrum,
// smoothing, detrend, peak removal, averager, peak hold and the two extracts.
std::span<const WindowKind> derivedSignalKinds();
