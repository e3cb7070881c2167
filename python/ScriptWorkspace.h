#pragma once
// marlune.Workspace: a tree of windows loaded, grown, changed and saved from Python without a display.
#include <pybind11/pybind11.h>

void bindWorkspace(pybind11::module_& module);
