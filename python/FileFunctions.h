#pragma once
// marlune.open and the writers: the program's own file formats from Python.
#include <pybind11/pybind11.h>

void bindFileFunctions(pybind11::module_& module);
