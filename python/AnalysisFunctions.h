#pragma once
// The processing windows of the workstation as Python functions: spectra, filters, calculator, generator, instruments.
#include <pybind11/pybind11.h>

void bindAnalysisFunctions(pybind11::module_& module);
