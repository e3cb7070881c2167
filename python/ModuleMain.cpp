// The module `marlune`: its exceptions and the bindings of each part.
#include <pybind11/pybind11.h>

#include "AnalysisFunctions.h"
#include "FileFunctions.h"
#include "ScriptMatrix.h"
#include "ScriptProgress.h"
#include "ScriptSession.h"
#include "ScriptSignal.h"
#include "ScriptWorkspace.h"
#include "TimeFFTFunction.h"

namespace py = pybind11;

PYBIND11_MODULE(marlune, module)
{
    module.doc() = R"(The core of the Marlune signal-analysis workstation, with the numbers of its windows.

    import marlune
    left, right = marlune.open("take.wav")
    spectrum = marlune.spectrum(left, window="hanning", output="magnitude")
    peak = spectrum.x[spectrum.samples.argmax()]

Signals are numpy arrays of float32 samples with a sample rate and an X offset (Signal); every analysis
is the window of the workstation with the same settings, computed by the same code (spectrum, filter,
smooth, detrend, remove_peaks, cepstrum, extract, average, peak_hold, calculate, generate, instrument,
time_fft). A Workspace loads a tree of windows from a workspace file, grows custom tools and saves it.
Failures raise marlune.FileError (files) or ValueError (arguments and data); nothing waits for a person.
The long computations release the interpreter's lock.)";
    module.attr("__version__") = MARLUNE_VERSION;

    py::register_exception<ScriptFileError>(module, "FileError", PyExc_OSError)
        .doc() = "A file could not be opened, read or written; the text is the program's message.";
    py::register_exception<ScriptCancelled>(module, "Cancelled", PyExc_Exception)
        .doc() = "A progress callback answered False.";

    bindSignal(module);
    bindMatrix(module);
    bindFileFunctions(module);
    bindAnalysisFunctions(module);
    bindTimeFFT(module);
    bindWorkspace(module);
}
