#include "ScriptMatrix.h"

#include <algorithm>

#include "tree/marlune3DChild.h"

namespace py = pybind11;

ScriptMatrix ScriptMatrix::ofWindow(const marlune3DChild& window)
{
    const FFTSignal& data = window.data();
    const ViewLevel& level = data.level();
    const py::ssize_t rows = window.invalid() ? 0 : std::max(0, level.lastRow - level.firstRow + 1);
    const py::ssize_t bins = window.invalid() ? 0 : std::max(0, level.lastBin - level.firstBin + 1);
    ScriptMatrix matrix{py::array_t<float>({rows, bins}), py::array_t<double>(rows), py::array_t<double>(bins),
                        window.title(), window.display.xLabel, window.display.yLabel};
    auto values = matrix.values.mutable_unchecked<2>();
    auto x = matrix.rows.mutable_unchecked<1>();
    auto y = matrix.bins.mutable_unchecked<1>();
    for (py::ssize_t r = 0; r < rows; ++r) {
        const float* row = data.row(uint32_t(level.firstRow + r));
        std::copy(row + level.firstBin, row + level.firstBin + bins, values.mutable_data(r, 0));
        x(r) = data.rowX(level.firstRow + r);
    }
    for (py::ssize_t j = 0; j < bins; ++j)
        y(j) = data.binY(level.firstBin + j);
    return matrix;
}

void bindMatrix(py::module_& module)
{
    py::class_<ScriptMatrix>(module, "Matrix", R"(The values of a 3D window (a Time FFT, a spectrogram, a 3D log).

values[r, j] is row r (a segment, along X) and bin j (along Y); `times` holds each row's X and
`frequencies` each bin's Y, as the window's read-out shows them.)")
        .def_readonly("values", &ScriptMatrix::values, "float32 array of rows x bins.")
        .def_readonly("times", &ScriptMatrix::rows, "The X of each row (seconds for a Time FFT).")
        .def_readonly("frequencies", &ScriptMatrix::bins, "The Y of each bin (hertz for a Time FFT).")
        .def_readonly("title", &ScriptMatrix::title, "The window's title.")
        .def_readonly("x_label", &ScriptMatrix::xLabel, "The label of the rows' axis (\"sec\").")
        .def_readonly("y_label", &ScriptMatrix::yLabel, "The label of the bins' axis (\"Hz\").")
        .def_property_readonly(
            "shape", [](const ScriptMatrix& m) { return py::make_tuple(m.values.shape(0), m.values.shape(1)); },
            "(rows, bins)")
        .def("__array__", [](const ScriptMatrix& m, const py::object&) { return m.values; }, py::arg("dtype") = py::none())
        .def("__repr__", [](const ScriptMatrix& m) {
            return "<marlune.Matrix '" + m.title + "': " + std::to_string(m.values.shape(0)) + " rows x " +
                   std::to_string(m.values.shape(1)) + " bins>";
        });
}
