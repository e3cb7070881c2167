#pragma once
// The Python `Matrix`: the values of a 3D window with its time (row) and frequency (bin) axes.
#include <string>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

class marlune3DChild;

// A copy of the rows and bins the window shows, since its rows are rotated in place as its parent moves.
struct ScriptMatrix {
    pybind11::array_t<float> values;
    pybind11::array_t<double> rows;
    pybind11::array_t<double> bins;
    std::string title;
    std::string xLabel;
    std::string yLabel;

    // Needs the interpreter's lock: it makes arrays.
    static ScriptMatrix ofWindow(const marlune3DChild& window);
};

void bindMatrix(pybind11::module_& module);
