#include "ScriptSignal.h"

#include <cmath>
#include <cstring>

#include "ScriptSession.h"
#include "fileio/FileReadResult.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/marluneMDIChild.h"

namespace py = pybind11;

std::unique_ptr<Signal> recordOfArray(const py::array& values, double rate, double xOffset, int32_t kind)
{
    const char type = values.dtype().kind();
    if (type != 'f' && type != 'i' && type != 'u')
        throw py::type_error("samples must be a one-dimensional array of real numbers, not of dtype " +
                             std::string(py::str(values.dtype())));
    if (values.ndim() != 1)
        throw ScriptValueError("samples must be one-dimensional, not of " + std::to_string(values.ndim()) + " dimensions");
    if (values.size() == 0)
        throw ScriptValueError("a signal needs at least one sample");
    if (uint64_t(values.size()) > UINT32_MAX)
        throw ScriptValueError("a signal holds at most 4294967295 samples");
    if (!isUsableSampleRate(rate))
        throw ScriptValueError("the sample rate must be a finite number above 0, not " + std::to_string(rate));
    if (!std::isfinite(xOffset))
        throw ScriptValueError("the X offset must be finite");
    const auto floats = py::array_t<float, py::array::c_style | py::array::forcecast>::ensure(values);
    const auto count = uint32_t(floats.size());
    auto block = Signal::allocateSamples(count);
    std::memcpy(block.get(), floats.data(), count * sizeof(float));
    return std::make_unique<Signal>(nullptr, kind, std::move(block), count, rate, xOffset);
}

namespace {

std::string represent(const ScriptSignal& signal)
{
    return "<marlune.Signal '" + signal.title + "': " + std::to_string(signal.record->count()) + " samples at " +
           py::str(py::float_(double(signal.record->sampleRate()))).cast<std::string>() + " per unit>";
}
}  // namespace

ScriptSignal ScriptSignal::ofWindow(ScriptSession& session, const marluneMDIChild& window)
{
    return {session.shareSignal(window), window.title(), window.xLabel(), window.yLabel()};
}

ScriptSignal ScriptSignal::copyOfWindow(const marluneMDIChild& window)
{
    const Signal& shown = *window.signal();
    auto record = std::make_shared<Signal>(nullptr, shown.kind(), shown.samples(), shown.count(), shown.sampleRate(),
                                           shown.xOffset());
    return {std::move(record), window.title(), window.xLabel(), window.yLabel()};
}

py::array_t<float> ScriptSignal::samples() const
{
    auto* keep = new std::shared_ptr<Signal>(record);
    const py::capsule owner(keep, [](void* held) { delete static_cast<std::shared_ptr<Signal>*>(held); });
    return py::array_t<float>({py::ssize_t(record->count())}, {py::ssize_t(sizeof(float))}, record->samples(), owner);
}

const ScriptSignal& checkedSignal(const ScriptSignal* signal, const char* argument)
{
    if (!signal)
        throw py::type_error(std::string(argument) + " must be a marlune.Signal, not None");
    return *signal;
}

void bindSignal(py::module_& module)
{
    py::class_<ScriptSignal>(module, "Signal", R"(A uniformly sampled signal, as a window of the workstation holds it.

Signal(samples, rate, x_offset=0.0, title="") copies a one-dimensional array of real numbers into a new
signal of float32 samples. Signals that marlune.open and the analyses return share their memory: their
`samples` array is a view of the signal's own block, not a copy.)")
        .def(py::init([](const py::array& samples, double rate, double xOffset, const std::string& title) {
                 return ScriptSignal{recordOfArray(samples, rate, xOffset, SignalKind::FileSignal), title, {}, {}};
             }),
             py::arg("samples"), py::arg("rate"), py::arg("x_offset") = 0.0, py::arg("title") = "")
        .def_property_readonly("samples", &ScriptSignal::samples,
                               "The samples as a float32 numpy array sharing the signal's memory (writable).")
        .def_property_readonly(
            "rate", [](const ScriptSignal& s) { return double(s.record->sampleRate()); },
            "Samples per unit of X: per second for a time signal, bins per hertz for a spectrum.")
        .def_property_readonly(
            "x_offset", [](const ScriptSignal& s) { return double(s.record->xOffset()); },
            "The X of the first sample (the frequency of bin 1 for a spectrum).")
        .def_property_readonly(
            "x",
            [](const ScriptSignal& s) {
                py::array_t<double> x(py::ssize_t(s.record->count()));
                auto out = x.mutable_unchecked<1>();
                for (py::ssize_t i = 0; i < out.shape(0); ++i)
                    out(i) = double(s.record->xOfIndex((long double)i));
                return x;
            },
            "The X of every sample, x_offset + i / rate, as a float64 array.")
        .def_property_readonly(
            "kind", [](const ScriptSignal& s) { return s.record->kind(); },
            "The kind code of the window it came from, as workspace files store it (22 a WAV channel, 2 a "
            "spectrum, ...).")
        .def_readonly("title", &ScriptSignal::title, "The window's title.")
        .def_readonly("x_label", &ScriptSignal::xLabel, "The X axis label of its window (\"Hz\" for a spectrum).")
        .def_readonly("y_label", &ScriptSignal::yLabel, "The Y axis label of its window.")
        .def("__len__", [](const ScriptSignal& s) { return s.record->count(); })
        .def("__repr__", represent)
        .def(
            "__array__", [](const ScriptSignal& s, const py::object&) { return s.samples(); },
            py::arg("dtype") = py::none(), "numpy.asarray(signal) gives its samples.");
}
