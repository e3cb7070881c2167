#pragma once
// The spectral settings of a Python call, from keyword arguments named after the settings dialog.
#include <pybind11/pybind11.h>

#include "dsp/SpectralSettings.h"

// Starts from the program's built-in defaults (Hanning window, magnitude, no expansion, no averaging)
// and takes every argument of the dialog a call names; an unknown name raises TypeError, a value the
// dialog refuses ValueError. The arguments it reads are removed from `arguments`.
SpectralSettings spectralArguments(pybind11::kwargs& arguments);

// The docstring paragraph that lists the arguments.
extern const char* const SpectralArgumentsHelp;

// Raises TypeError for any argument left over.
void refuseOtherArguments(const pybind11::kwargs& arguments, const char* function);
