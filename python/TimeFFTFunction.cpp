#include "TimeFFTFunction.h"

#include <bit>
#include <cmath>

#include <pybind11/stl.h>

#include "ScriptMatrix.h"
#include "ScriptProgress.h"
#include "ScriptSession.h"
#include "ScriptSignal.h"
#include "SpectralArguments.h"
#include "signal/Signal.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"

namespace py = pybind11;

namespace {
// The choices of the "Time FFT" dialog, checked as its OK does.
TimeFFTParameters parametersOf(const Signal& signal, long n, std::optional<long> segments, std::optional<long> step,
                               std::optional<double> from, std::optional<double> to)
{
    const long double rate = signal.sampleRate();
    const uint32_t count = signal.count();
    if (n < 16 || n > 65536 || !std::has_single_bit(uint64_t(n)))
        throw ScriptValueError("n must be a power of two from 16 to 65536, not " + std::to_string(n));
    if (uint64_t(n) >= count)
        throw ScriptValueError("n must be smaller than the signal's " + std::to_string(count) + " samples");
    if (segments && step)
        throw py::type_error("give segments or step, not both");
    long m = long(std::floor(count * 1.5 / double(n)));
    if (segments)
        m = *segments;
    if (step) {
        if (*step < 1)
            throw ScriptValueError("step must be at least 1");
        m = long((count - uint64_t(n)) / uint64_t(*step) + 1);
    }
    if (m <= 0)
        throw ScriptValueError("Number of segments must be positive !!");
    if (m > long(UINT32_MAX))
        throw ScriptValueError("too many segments");
    TimeFFTParameters parameters;
    parameters.N = uint32_t(n);
    parameters.M = uint32_t(m);
    // The Spectrogram form's hidden views.
    parameters.azimuth = -1;
    parameters.elevation = -1;
    parameters.fromFrequency = from ? (long double)*from : rate / n;
    parameters.toFrequency = to ? (long double)*to : rate / 2;
    if (!(parameters.fromFrequency < parameters.toFrequency) || parameters.fromFrequency < rate / n - 0.0001L ||
        parameters.toFrequency > rate / 2 + 0.0001L)
        throw ScriptValueError("Frequency range values are not correct !!");
    return parameters;
}

ScriptMatrix timeFFT(const ScriptSignal* signal, long n, std::optional<long> segments, std::optional<long> step,
                     std::optional<double> from, std::optional<double> to, const py::object& progress,
                     py::kwargs arguments)
{
    const ScriptSignal& parent = checkedSignal(signal, "signal");
    const SpectralSettings settings = spectralArguments(arguments);
    refuseOtherArguments(arguments, "time_fft");
    const TimeFFTParameters parameters = parametersOf(*parent.record, n, segments, step, from, to);
    const auto session = ScriptSession::make();
    ScriptProgress report(session->ui(), progress);
    marlune3DChild* window = nullptr;
    {
        py::gil_scoped_release released;
        marluneMDIChild& root = session->addRoot(parent.record, parent.title);
        window = marlune3DChild::createTimeFFT(session->client(), root, parameters, &settings);
    }
    report.finish();
    if (!window)
        throw std::bad_alloc();
    if (window->invalid())
        throw ScriptValueError(session->messagesOr("the signal is too short for this Time FFT"));
    return ScriptMatrix::ofWindow(*window);
}
}  // namespace

void bindTimeFFT(py::module_& module)
{
    module.def("time_fft", timeFFT, py::arg("signal"), py::arg("n") = 1024, py::arg("segments") = py::none(),
               py::arg("step") = py::none(), py::arg("from_hz") = py::none(), py::arg("to_hz") = py::none(),
               py::arg("progress") = py::none(),
               (std::string(R"(The Time FFT ("Time FFT..." and "Spectrogram..."): spectra of `segments` segments of n samples.

The segments are spread evenly over the signal, `step` samples apart (by default 1.5 x the signal's
length / n of them, as the dialog offers); from_hz and to_hz choose the band (by default bin 1 to the
Nyquist frequency). The segments are shared among the processors. `progress(done, total)` is called as
segments are done; answering False stops the computation with marlune.Cancelled.
Returns a Matrix: values[segment, bin], times and frequencies.

)") + SpectralArgumentsHelp).c_str());
}
