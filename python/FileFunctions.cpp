#include "FileFunctions.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "ScriptSession.h"
#include "ScriptSignal.h"
#include "fileio/AsciiExport.h"
#include "fileio/BinFile.h"
#include "fileio/InputFile.h"
#include "fileio/WavWriter.h"
#include "tree/marluneMDIChild.h"

namespace py = pybind11;

namespace {
std::vector<ScriptSignal> openSignals(const std::filesystem::path& path)
{
    const auto session = ScriptSession::make();
    std::vector<ScriptSignal> signals;
    {
        py::gil_scoped_release released;
        // The open routine passes over a file it cannot open without a word; a script learns which.
        if (!InputFile::open(path))
            throw ScriptFileError("Cannot open the file " + path.string() + ".");
        session->client().openFiles({path.string()});
        for (marluneChild* window : session->client().windows())
            if (const marluneMDIChild* signalWindow = signalWindowOf(window))
                signals.push_back(ScriptSignal::ofWindow(*session, *signalWindow));
    }
    if (signals.empty())
        throw ScriptFileError(session->messagesOr("Cannot open the file " + path.string() + "."));
    return signals;
}

template <bool (*write)(const std::filesystem::path&, const Signal&)>
void writeWith(const std::filesystem::path& path, const ScriptSignal* signal)
{
    const Signal& record = *checkedSignal(signal, "signal").record;
    bool written = false;
    {
        py::gil_scoped_release released;
        written = write(path, record);
    }
    if (!written)
        throw ScriptFileError("Could not write " + path.string() + ".");
}
}  // namespace

void bindFileFunctions(py::module_& module)
{
    module.def("open", openSignals, py::arg("path"),
               R"(Opens a signal file as the workstation does and returns its signals, one per channel.

Every format the program opens is read: .bin, .eeg, raw 16-bit, .sa3 data logs, WAV, ASCII tables and,
through the converter Sonvert, compressed audio (FLAC, OGG, MP3, AAC ...). The samples are not copied.
A file the program refuses raises marlune.FileError with the program's message.)");
    module.def("write_bin", writeWith<writeBinFile>, py::arg("path"), py::arg("signal"),
               "Writes the signal as a .bin file of float samples with its rate and X offset.");
    module.def("write_wav", writeWith<writeWavFile>, py::arg("path"), py::arg("signal"),
               R"(Writes the signal as a mono 16-bit PCM WAV file at its rate (truncated to an integer).

Values within +-32768 are kept; a wider signal is centred and scaled to fill the 16-bit range.)");
    module.def("export_ascii", writeWith<exportAscii>, py::arg("path"), py::arg("signal"),
               "Writes one line \"X<tab>value\" per sample, as \"Export ASCII...\" does.");
}
