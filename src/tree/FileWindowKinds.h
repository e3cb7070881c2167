#pragma once
// The windows of signals read from files: a .bin/.eeg/raw file, a WAV or .sa3 channel, an ASCII column.
#include <span>

#include "tree/WindowKind.h"

std::span<const WindowKind> fileWindowKinds();
