#pragma once
// marlune.time_fft: the short-time spectra of "Time FFT..." as a Matrix.
#include <pybind11/pybind11.h>

void bindTimeFFT(pybind11::module_& module);
